#include "ui/qt/Announcer.h"

namespace velmarith {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName("Announcer");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::Announce(const QString& text) {
    if (text.isEmpty()) return;
    hide();
    setAccessibleName(text);
    show();  // the screen reader speaks a notification as it appears
}

}  // namespace velmarith
