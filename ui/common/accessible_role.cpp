#include "ui/common/accessible_role.h"

#include <QAccessibleWidget>
#include <QVariant>

#include "ui/common/click_label.h"

namespace ui {
namespace {

constexpr char kRoleProperty[] = "dadiRaravorAccessibleRole";
constexpr char kExpandedProperty[] = "dadiRaravorAccessibleExpanded";

class RoleAccessible : public QAccessibleWidget {
  public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant expanded = widget()->property(kExpandedProperty);
        if (expanded.isValid()) {
            state.expandable = true;
            state.expanded = expanded.toBool();
            state.collapsed = !expanded.toBool();
        }
        return state;
    }

    QStringList actionNames() const override {
        return clickable() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (ClickLabel* label = clickable(); label && action == pressAction()) {
            label->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

  private:
    ClickLabel* clickable() const {
        if (role() != QAccessible::Button && role() != QAccessible::Link)
            return nullptr;
        return qobject_cast<ClickLabel*>(widget());
    }
};

// Qt asks the factories for each class of an object from the most derived one down; its own
// come first, so this one is asked for the classes Qt does not know (ours) and answers only for
// widgets that carry a role.
QAccessibleInterface* RoleFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = widget ? widget->property(kRoleProperty) : QVariant();
    if (!role.isValid())
        return nullptr;
    return new RoleAccessible(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void SetAccessibleRole(QWidget& widget, QAccessible::Role role) {
    static const bool installed = (QAccessible::installFactory(RoleFactory), true);
    Q_UNUSED(installed);
    widget.setProperty(kRoleProperty, static_cast<int>(role));
    // Qt keeps the first interface made for a widget, and setting a label's text already makes
    // one; that one goes, so that the next question gets the role.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&widget);
    if (made != nullptr && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void SetAccessibleExpanded(QWidget& widget, bool expanded) {
    const QVariant before = widget.property(kExpandedProperty);
    widget.setProperty(kExpandedProperty, expanded);
    if (before.isValid() && before.toBool() == expanded)
        return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(&widget, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace ui
