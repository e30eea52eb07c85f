#pragma once

#include <optional>

namespace velmarith::engineering {

inline constexpr double kDefaultCycles = 7000;

// The pipe as checked, in the request's units (mm, MPa; or in, psi).
struct Pipe {
    double diameter = 0;
    std::optional<double> wall;
    double modulus = 0;
    bool modulusGiven = false;                          // false: the material's default
    std::optional<double> allowable;                    // SA as given
    std::optional<double> coldAllowable, hotAllowable;  // Sc, Sh
    double cycles = kDefaultCycles;
};

}  // namespace velmarith::engineering
