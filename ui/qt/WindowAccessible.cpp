#include "ui/qt/WindowAccessible.h"

namespace velmarith {

WindowAccessible::WindowAccessible(QWidget* window)
    : QAccessibleWidget(window, QAccessible::Window) {}

QMenu* WindowAccessible::OpenMenu() const {
    for (auto* menu : widget()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        if (menu->isVisible()) return menu;
    }
    return nullptr;
}

int WindowAccessible::childCount() const {
    return QAccessibleWidget::childCount() + (OpenMenu() != nullptr ? 1 : 0);
}

QAccessibleInterface* WindowAccessible::child(int index) const {
    const int controls = QAccessibleWidget::childCount();
    if (index < controls) return QAccessibleWidget::child(index);
    QMenu* menu = OpenMenu();
    return index == controls && menu != nullptr ? QAccessible::queryAccessibleInterface(menu)
                                                : nullptr;
}

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    QMenu* menu = OpenMenu();
    if (child != nullptr && menu != nullptr && child->object() == menu) {
        return QAccessibleWidget::childCount();
    }
    return QAccessibleWidget::indexOfChild(child);
}

}  // namespace velmarith
