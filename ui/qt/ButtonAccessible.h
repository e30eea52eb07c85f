#pragma once

#include <QAccessibleWidget>
#include <QPushButton>

namespace velmarith {

// A push button as assistive technology sees it, as Qt presents it, except that while a
// prompt is open the button offers no action: a Press asked for then fails and does nothing.
class ButtonAccessible : public QAccessibleWidget {
  public:
    explicit ButtonAccessible(QPushButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;

  private:
    QPushButton* Button() const { return static_cast<QPushButton*>(widget()); }
};

}  // namespace velmarith
