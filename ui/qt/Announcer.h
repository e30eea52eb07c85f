#pragma once

#include <QAccessibleWidget>
#include <QWidget>

namespace velmarith {

// Speaks text through the screen reader without moving the focus or changing what is seen:
// an invisible notification object that appears, as a notification does, with the text as
// its name. Qt 6.4 has no announcement call; the appearance of a notification is spoken.
class Announcer : public QWidget {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent);
    void Announce(const QString& text);
};

class AnnouncerAccessible : public QAccessibleWidget {
  public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? widget()->accessibleName() : QString();
    }
};

}  // namespace velmarith
