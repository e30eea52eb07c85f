#pragma once

class QWidget;

namespace velmarith {

// The window's title bar shows no text. With an empty title Qt hands the application's name
// to the window manager instead, so on X11 the name properties are emptied directly.
void ClearWindowManagerTitle(QWidget* window);

}  // namespace velmarith
