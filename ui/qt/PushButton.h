#pragma once

#include <QKeyEvent>
#include <QPushButton>

namespace velmarith {

// A push button that, like the platform's classic buttons, is pressed by Enter as well as by
// Space when it has the focus. It is never a default button, so Enter elsewhere does nothing.
// The menu keys (Menu, Shift+F10) ask for the window's menu: a button has none of its own.
class PushButton : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  signals:
    void MenuRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const bool menuKey = (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                             (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
        if (menuKey) {
            event->accept();
            if (!event->isAutoRepeat()) emit MenuRequested();
            return;
        }
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            if (!event->isAutoRepeat()) click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

}  // namespace velmarith
