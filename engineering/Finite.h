#pragma once

#include <cmath>
#include <initializer_list>
#include <optional>

namespace velmarith::engineering {

// Whether every figure given fits a double: a figure that overflows is refused, not shown.
inline bool Finite(std::initializer_list<std::optional<double>> values) {
    for (const auto& value : values) {
        if (value && !std::isfinite(*value)) return false;
    }
    return true;
}

}  // namespace velmarith::engineering
