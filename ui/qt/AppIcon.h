#pragma once

#include <QIcon>

namespace velmarith {

// The 32 x 32 icon of the window and the program: an open book with a disc.
QIcon AppIcon();

}  // namespace velmarith
