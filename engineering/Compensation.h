#pragma once

#include <optional>
#include <string>

#include "engineering/AsShown.h"
#include "engineering/Figures.h"
#include "engineering/Pipe.h"
#include "engineering/Units.h"

namespace velmarith::engineering {

// What the movement does to the pipe, by the guided-cantilever method: an estimate a piping
// engineer makes by hand, not a flexibility analysis.

inline constexpr std::string_view kMethod = "导向悬臂法, 估算, 不代替柔性分析";

// Where a Π loop's width and height come from.
inline constexpr std::string_view kLoopProportions =
    "Π 形补偿器的比例 W = Lf/5, H = 2·Lf/5 (2H + W = Lf, 即 H = 2W): 导向悬臂估算的常用取法, "
    "不是规范的规定";

// A fully restrained line at one state: strain from installation, axial stress (negative is
// compression) and the force on each anchor (kN; lbf).
struct Restrained {
    double strain;
    double stress;
    std::optional<double> force;
    // |σ| above SA: an elastic bound, not a load the line sees; it yields or moves first.
    bool elasticBound = false;
};

// The length a drawing takes: the figure rounded up to 50 mm (SI) or 2 in.
double DesignLength(Units units, double length);

struct Compensation {
    double modulus;
    std::optional<double> metalArea;       // mm², in²
    std::optional<double> cycleFactor;     // f, when SA comes from Sc and Sh
    std::optional<double> cycleFormula;    // 6.0·N^−0.2, before f's bounds
    std::optional<double> allowableRange;  // SA
    Restrained hot;                        // at the request's temperature
    std::optional<Restrained> cold;
    // Without a cold state, a temperature below installation is the cold extreme of the
    // range, and installation its warm one.
    bool temperatureIsColdExtreme = false;
    double movement;  // Δ, in the request's length unit: < 0 when the run shrinks over the range
    double stressRange;                // Ea·Δ/L
    std::optional<double> leg;         // L- or Z-bend
    std::optional<double> loopLength;  // Lf of a Π loop
    std::optional<double> loopWidth;   // W = Lf/5
    std::optional<double> loopHeight;  // H = 2·Lf/5, each leg
    // The same rounded up for the drawing.
    std::optional<double> legDesign, loopLengthDesign, loopWidthDesign, loopHeightDesign;
    bool CannotBeRestrained() const {
        return allowableRange && AsShown(stressRange) > AsShown(*allowableRange);
    }
};

// The material's default modulus in the request's units (its record's, in 10^6 psi, at
// kMpaPerPsi for SI); none for a user material.
std::optional<double> DefaultModulus(int material, Units units);

// The cycle factor f = 6.0·N^−0.2, at most 1.0 and at least 0.15.
double CycleFactor(double cycles);
// 6.0·N^−0.2 itself, which the factor bounds.
double CycleFormula(double cycles);

// The figures for a pipe, from the request's own coefficients and movement. None when a
// figure does not fit a double.
std::optional<Compensation> Compensate(const Catalogue& catalogue, const Request& request,
                                       const Pipe& pipe, const Result& result);

}  // namespace velmarith::engineering
