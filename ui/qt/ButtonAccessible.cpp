#include "ui/qt/ButtonAccessible.h"

#include "ui/qt/PromptGuard.h"

namespace velmarith {

ButtonAccessible::ButtonAccessible(QPushButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

QString ButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        QString name = widget()->accessibleName();
        if (name.isEmpty()) name = Button()->text().remove(QLatin1Char('&'));
        if (!name.isEmpty()) return name;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = Button()->isDown();
    state.defaultButton = Button()->isDefault();
    return state;
}

QStringList ButtonAccessible::actionNames() const {
    if (BlockedByPrompt(widget())) return {};
    QStringList names;
    if (widget()->isEnabled()) names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& name) {
    if (BlockedByPrompt(widget()) || !widget()->isEnabled()) return;
    if (name == pressAction()) {
        // As Qt's own buttons do: later, so that a prompt the press opens does not hold up
        // the reply to the assistive technology.
        Button()->animateClick();
        return;
    }
    QAccessibleWidget::doAction(name);
}

}  // namespace velmarith
