// Form1's keyboard: the folder fields' drop-down keys, Escape, and a focus that stays on what
// the user can see. A collapsed panel hides the controls it cuts off, yet they stay in the tab
// order: Tab or Shift+Tab onto one opens its panel, as F4 does.

#include <QKeyEvent>

#include "ui/main/form1.h"
#include "ui/main/form1_layout.h"

namespace ui::mainwindow {
namespace {

bool OnlyModifiers(const QKeyEvent& key, Qt::KeyboardModifiers modifiers) {
    return (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

bool IsOpen(const Frame& panel) {
    return panel.heightTwips() != kPanelCollapsedTwips;
}

}  // namespace

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || (watched != StartDir && watched != txtOptDir))
        return QWidget::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // The keys of a drop-down list: the panel is the field's list.
    if ((key.key() == Qt::Key_F4 && OnlyModifiers(key, Qt::NoModifier)) ||
        (key.key() == Qt::Key_Down && OnlyModifiers(key, Qt::AltModifier))) {
        watched == StartDir ? Image2_Click() : Image3_Click();
        return true;
    }
    return false;
}

bool Form1::focusNextPrevChild(bool next) {
    QWidget* from = focusWidget();
    if (from == nullptr)
        return QWidget::focusNextPrevChild(next);
    // Qt's own walk passes over hidden controls, and so over those of a collapsed panel.
    const auto reachable = [this](const QWidget& control) {
        return control.window() == this && (control.focusPolicy() & Qt::TabFocus) &&
               control.isEnabled() &&
               (control.isVisibleTo(this) || Frame2->cutsOff(control) || Frame3->cutsOff(control));
    };
    for (QWidget* control = from;;) {
        control = next ? control->nextInFocusChain() : control->previousInFocusChain();
        if (control == from)
            return false;
        if (reachable(*control)) {
            // Qt gives no focus to a hidden control: the panel opens first.
            for (Frame* panel : {Frame2, Frame3}) {
                if (panel->cutsOff(*control))
                    setPanelHeight(*panel, kPanelOpenTwips);
            }
            control->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || !OnlyModifiers(*event, Qt::NoModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!Frame4->isHidden()) {
        cmdOut_Click();
        return;
    }
    for (Frame* panel : {Frame2, Frame3}) {
        if (IsOpen(*panel) && panel->isAncestorOf(focusWidget())) {
            setPanelHeight(*panel, kPanelCollapsedTwips);
            return;
        }
    }
    if (!IsOpen(*Frame2) && !IsOpen(*Frame3)) {
        event->ignore();
        return;
    }
    setPanelHeight(*Frame2, kPanelCollapsedTwips);
    setPanelHeight(*Frame3, kPanelCollapsedTwips);
}

}  // namespace ui::mainwindow
