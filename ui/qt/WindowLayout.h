#pragma once

#include <QColor>
#include <QRect>

#include "ui/WindowGeometry.h"

// The window's layout as Qt takes it (ui/WindowGeometry.h has the figures), its font and colours.
namespace velmarith::layout {

constexpr QRect Rect(geometry::Box box) { return QRect(box.x, box.y, box.width, box.height); }

inline constexpr int kClientWidth = geometry::kClientWidth;
inline constexpr int kClientHeight = geometry::kClientHeight;
inline constexpr int kLineHeight = 12;  // a printed line in the window's font
inline constexpr int kFontPixelSize = 12;
inline constexpr const char* kFontFamily = "WenQuanYi Zen Hei Mono";

inline constexpr QRect kFrame1 = Rect(geometry::kFrame1);
inline constexpr QRect kCombo1 = Rect(geometry::kCombo1);
inline constexpr QRect kCommand2 = Rect(geometry::kCommand2);
inline constexpr QRect kCommand3 = Rect(geometry::kCommand3);
inline constexpr QRect kCommand4 = Rect(geometry::kCommand4);
inline constexpr QRect kCommand5 = Rect(geometry::kCommand5);
inline constexpr QRect kLabel1 = Rect(geometry::kLabel1);

inline const QColor kBackground{0, 255, 0};
inline const QColor kFrameFill{255, 255, 0};
inline const QColor kListFill{255, 0, 0};

}  // namespace velmarith::layout
