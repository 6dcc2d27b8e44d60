#include "ui/main/controls/frame.h"

#include <QPainter>
#include <algorithm>

namespace ui::mainwindow {

Frame::Frame(QString caption, bool bordered, QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)), bordered_(bordered) {}

void Frame::setTwipsGeometry(TwipsRect rect) {
    twips_ = rect;
    setGeometry(PixelRect(rect));
    hideWhatIsCutOff();
}

void Frame::setHeightTwips(int height) {
    TwipsRect rect = twips_;
    rect.height = height;
    setTwipsGeometry(rect);
}

const QWidget* Frame::ownControl(const QWidget& control) const {
    const QWidget* own = &control;
    while (own != nullptr && own->parentWidget() != this)
        own = own->parentWidget();
    return own;
}

bool Frame::wouldCutOff(const QWidget& control, int heightTwips) const {
    const QWidget* own = ownControl(control);
    TwipsRect rect = twips_;
    rect.height = heightTwips;
    return own != nullptr &&
           !QRect(QPoint(0, 0), PixelRect(rect).size()).intersects(own->geometry());
}

bool Frame::cutsOff(const QWidget& control) const {
    const QWidget* own = ownControl(control);
    return own != nullptr &&
           std::any_of(cutOff_.begin(), cutOff_.end(),
                       [own](const QPointer<QWidget>& hidden) { return hidden.data() == own; });
}

void Frame::hideWhatIsCutOff() {
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!wouldCutOff(*control, twips_.height)) {
            if (cutOff_.removeAll(control) > 0)
                control->show();
        } else if (!control->isHidden()) {
            control->hide();
            cutOff_.append(control);
        }
    }
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
