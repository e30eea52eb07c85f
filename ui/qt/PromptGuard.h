#pragma once

#include <QApplication>
#include <QWidget>

namespace velmarith {

// True while a prompt (a modal dialog) is open and this widget is not part of it. Every input
// path honours it, the accessibility actions included, so that no handler runs inside another.
inline bool BlockedByPrompt(const QWidget* widget) {
    const QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && widget != nullptr && modal != widget && !modal->isAncestorOf(widget);
}

}  // namespace velmarith
