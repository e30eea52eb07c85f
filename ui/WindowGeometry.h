#pragma once

#include <array>
#include <string_view>

// The window's fixed layout in pixels (15 twips each), measured from the client area's top-left
// corner for Frame1 and Label1 and from Frame1's top-left corner for the controls inside it.
// Every face lays the window out from here.
namespace velmarith::geometry {

struct Box {
    int x, y, width, height;
};

inline constexpr int kClientWidth = 477;
inline constexpr int kClientHeight = 341;

inline constexpr Box kFrame1{304, 16, 137, 313};
inline constexpr Box kCombo1{24, 24, 97, 20};
inline constexpr Box kCommand2{24, 72, 81, 30};
inline constexpr Box kCommand3{24, 136, 81, 30};
inline constexpr Box kCommand4{24, 192, 81, 30};
inline constexpr Box kCommand5{24, 248, 81, 30};
inline constexpr Box kLabel1{16, 296, 126, 12};

struct NamedBox {
    std::string_view name;
    Box box;
};
inline constexpr std::array<NamedBox, 7> kControls = {{
    {"Frame1", kFrame1},
    {"Combo1", kCombo1},
    {"Command2", kCommand2},
    {"Command3", kCommand3},
    {"Command4", kCommand4},
    {"Command5", kCommand5},
    {"Label1", kLabel1},
}};

}  // namespace velmarith::geometry
