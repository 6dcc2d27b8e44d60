#include "ui/main/controls/frame.h"

#include <QPainter>

namespace ui::mainwindow {

Frame::Frame(QString caption, bool bordered, QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)), bordered_(bordered) {}

void Frame::setTwipsGeometry(TwipsRect rect) {
    twips_ = rect;
    setGeometry(PixelRect(rect));
}

void Frame::setHeightTwips(int height) {
    TwipsRect rect = twips_;
    rect.height = height;
    setTwipsGeometry(rect);
}

void Frame::paintEvent(QPaintEvent*) {
    if (!bordered_)
        return;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect box = rect().adjusted(0, top, -2, -2);
    // Etched: a dark line with a light one beside it, as the classic frames draw it.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(box);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(box.translated(1, 1));
    if (caption_.isEmpty())
        return;
    const int captionLeft = 6;
    const QRect captionRect(captionLeft, 0, metrics.horizontalAdvance(caption_) + 2,
                            metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

}  // namespace ui::mainwindow
