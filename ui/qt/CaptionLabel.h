#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace velmarith {

// A label that reports a click: the left button pressed and released on it.
class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        pressed_ = event->button() == Qt::LeftButton;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click = pressed_ && event->button() == Qt::LeftButton &&
                           rect().contains(event->position().toPoint());
        pressed_ = false;
        if (click) emit Click();
    }

  private:
    bool pressed_ = false;
};

}  // namespace velmarith
