#include "ui/common/classic_font.h"

#include <QStringList>
#include <QtMath>

namespace ui {

int PointsToPixels(double points) {
    return qRound(points * 96.0 / 72.0);
}

QFont ClassicFont(double points, bool bold) {
    QFont font;
    font.setFamilies(
        {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Arial"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(PointsToPixels(points));
    font.setBold(bold);
    return font;
}

}  // namespace ui
