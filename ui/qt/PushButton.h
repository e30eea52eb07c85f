#pragma once

#include <QKeyEvent>
#include <QPushButton>

namespace velmarith {

// A push button that, like the platform's classic buttons, is pressed by Enter as well as by
// Space when it has the focus. It is never a default button, so Enter elsewhere does nothing.
class PushButton : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
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
