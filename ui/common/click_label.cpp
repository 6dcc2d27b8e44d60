#include "ui/common/click_label.h"

#include <QMouseEvent>

namespace ui {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    // Tracking gets the moves without a button held; the attribute keeps them from the parent.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ClickLabel::click() {
    emit clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved();
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    pressed_ = false;
    if (rect().contains(event->position().toPoint())) {
        click();
    }
}

}  // namespace ui
