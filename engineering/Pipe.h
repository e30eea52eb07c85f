#pragma once

#include <optional>
#include <string>

namespace velmarith::engineering {

inline constexpr double kDefaultCycles = 7000;

// The pipe's inputs as typed; all optional, and a request without them is a plain one.
struct PipeText {
    std::optional<std::string> diameter;                     // D, outside
    std::optional<std::string> wall;                         // t
    std::optional<std::string> modulus;                      // Ea; none: the material's default
    std::optional<std::string> allowable;                    // SA
    std::optional<std::string> coldAllowable, hotAllowable;  // Sc, Sh
    std::optional<std::string> cycles;                       // N; none: 7000

    bool Any() const {
        return diameter || wall || modulus || allowable || coldAllowable || hotAllowable || cycles;
    }
};

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
