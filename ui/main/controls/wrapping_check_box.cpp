#include "ui/main/controls/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui::mainwindow {

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QStyleOptionButton box = option;
    box.rect = QRect(QPoint(0, (height() - indicator.height()) / 2), indicator.size());
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

    const QRect textRect = rect().adjusted(indicator.width() + 4, 0, 0, 0);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    painter.drawText(textRect, flags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, flags, text()).adjusted(-1, 0, 1, 0) & rect();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

}  // namespace ui::mainwindow
