#include "ui/main/controls/classic_button.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QPolygon>
#include <QStyle>

namespace ui::mainwindow {
namespace {

// Windows' focus rectangle: every other pixel of a rectangle three pixels inside the border.
void DrawFocusDots(QPainter& painter, const QRect& around) {
    const QRect r = around.adjusted(3, 3, -4, -4);
    QPolygon dots;
    for (int x = r.left(); x <= r.right(); x += 2)
        dots << QPoint(x, r.top()) << QPoint(x, r.bottom());
    for (int y = r.top(); y <= r.bottom(); y += 2)
        dots << QPoint(r.left(), y) << QPoint(r.right(), y);
    painter.drawPoints(dots);
}

}  // namespace

ClassicButton::ClassicButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void ClassicButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The bevel keeps the classic system colours whatever the face: those are not the button's.
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, Qt::white);
    bevel.setColor(QPalette::Dark, QColor(128, 128, 128));
    bevel.setColor(QPalette::Shadow, Qt::black);
    const QBrush face = palette().button();
    qDrawWinButton(&painter, rect(), bevel, isDown(), &face);

    const int shift = isDown() ? 1 : 0;
    style()->drawItemText(&painter, rect().translated(shift, shift),
                          Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), text(),
                          QPalette::ButtonText);
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        DrawFocusDots(painter, rect());
    }
}

}  // namespace ui::mainwindow
