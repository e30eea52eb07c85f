#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/GridWalk.h"

namespace velmarith::engineering {

// The reference modulus of a material, in 10^6 psi, and where the value comes from.
struct Modulus {
    double millionPsi;
    std::string_view source;
    std::string Text() const;  // as the lines print it: "29.5×10^6 psi"
};

inline constexpr std::string_view kModulusSource = "ASME B31.3 附录 C 表 C-6, 21 摄氏度 (70°F)";

// A grade a material covers: its usual spelling and the other names it goes by.
struct Grade {
    std::string name;
    std::vector<std::string> aliases;
};

// Everything about one material: the window's eight (ids 0 … 7) and the user's (8 on).
struct Material {
    int id = 0;
    std::string name;
    std::vector<Grade> grades;
    double reference = 20;  // °C, where the mean coefficients start
    double low = 0;         // °C, the valid range
    double high = 0;
    // The coefficients, of strictly rising temperature; the first is at index `first` (the
    // window's grid index for the eight, whose points are the walked part of their row).
    int first = 0;
    std::vector<TablePoint> points;
    std::optional<Modulus> modulus;  // the eight only
    std::string_view dataSource;
};

// A grade's text as matching sees it: ASCII letters in lower case, full-width ASCII
// (U+FF01 … U+FF5E) as its half-width form, and no spaces (nor the ideographic one) or "#".
std::string GradeKey(std::string_view text);

// Grades written in one field, ";" or "、" between them, spaces around each left out.
std::vector<std::string> SplitGrades(std::string_view text);

}  // namespace velmarith::engineering
