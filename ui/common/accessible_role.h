#pragma once
// What screen readers are told of a control whose Qt class says too little: a label or picture
// that acts on a click is a button or a link, and a screen reader's press action clicks it; a
// frame is the group of the controls in it; a button that opens and closes something says
// whether that is open.

#include <QAccessible>

class QWidget;

namespace ui {

// Gives `widget` `role` for assistive technology. A ClickLabel
// in the role of a button or a link also offers the press action, which clicks it.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role);

// Has `widget`, which SetAccessibleRole gave its role, report itself as expandable, and as
// expanded or collapsed.
void SetAccessibleExpanded(QWidget& widget, bool expanded);

}  // namespace ui
