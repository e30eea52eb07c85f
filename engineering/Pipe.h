#pragma once

#include <optional>

#include "engineering/Inputs.h"

namespace velmarith::engineering {

inline constexpr double kDefaultCycles = 7000;
inline constexpr double kDefaultFriction = 0.3;

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

// The line's layout and its bellows joint as checked, in the request's units (lengths mm or
// in, stiffness N/mm or lbf/in, area cm² or in², pressure MPa or psi, weight N/m or lbf/ft);
// none where not given.
struct Line {
    std::optional<double> leg;
    std::optional<double> loopWidth, loopHeight;  // both or neither
    std::optional<double> jointMovement;          // rated axial movement of one joint
    std::optional<double> jointStiffness;
    std::optional<double> jointArea;
    std::optional<double> pressure;  // gauge
    std::optional<double> weight;    // pipe, contents and insulation per length
    double friction = kDefaultFriction;
    // The compensation chosen: as given, else the joints when they are given, else the leg.
    Layout compensation = Layout::Leg;
    bool Joint() const { return jointMovement.has_value(); }
};

}  // namespace velmarith::engineering
