#pragma once

#include <QColor>
#include <QRect>

// The window's fixed layout in pixels (15 twips each), measured from the client area's top-left
// corner for Frame1 and Label1 and from Frame1's top-left corner for the controls inside it.
namespace velmarith::layout {

inline constexpr int kClientWidth = 477;
inline constexpr int kClientHeight = 341;
inline constexpr int kLineHeight = 12;  // a printed line in the window's font
inline constexpr int kFontPixelSize = 12;
inline constexpr const char* kFontFamily = "WenQuanYi Zen Hei Mono";

inline constexpr QRect kFrame1{304, 16, 137, 313};
inline constexpr QRect kCombo1{24, 24, 97, 20};
inline constexpr QRect kCommand2{24, 72, 81, 30};
inline constexpr QRect kCommand3{24, 136, 81, 30};
inline constexpr QRect kCommand4{24, 192, 81, 30};
inline constexpr QRect kCommand5{24, 248, 81, 30};
inline constexpr QRect kLabel1{16, 296, 126, 12};

inline const QColor kBackground{0, 255, 0};
inline const QColor kFrameFill{255, 255, 0};
inline const QColor kListFill{255, 0, 0};

}  // namespace velmarith::layout
