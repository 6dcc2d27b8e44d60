#include "ui/info/classic_label.h"

#include <QMouseEvent>

namespace ui::info {

ClassicLabel::ClassicLabel(QWidget* parent) : QLabel(parent) {
    // Tracking gets the moves without a button held; the attribute keeps them from the parent.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ClassicLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

void ClassicLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
}

void ClassicLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    pressed_ = false;
    if (rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

}  // namespace ui::info
