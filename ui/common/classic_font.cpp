#include "ui/common/classic_font.h"

#include <QStringList>
#include <QtMath>

namespace ui {
namespace {

QFont FontOf(const QStringList& faces, QFont::StyleHint fallback, double points, bool bold) {
    QFont font;
    font.setFamilies(faces);
    font.setStyleHint(fallback);
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace

int PointsToPixels(double points) {
    return qRound(points * 96.0 / 72.0);
}

QFont ClassicFont(double points, bool bold) {
    return FontOf({"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Arial"},
                  QFont::SansSerif, points, bold);
}

QFont ClassicSerifFont(double points, bool bold) {
    return FontOf({"Times New Roman", "Liberation Serif", "DejaVu Serif"}, QFont::Serif, points,
                  bold);
}

}  // namespace ui
