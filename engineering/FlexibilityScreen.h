#pragma once

#include "engineering/Units.h"

namespace velmarith::engineering {

// The screen of a two-anchor line of one size: D·y / (L − U)² ≤ K1, with K1 = 208 000·SA/Ea
// in (mm/m)², or 30·SA/Ea in (in/ft)². It says whether a formal flexibility analysis can be
// done without; it is no analysis itself, and does not hold for severe cyclic service.
struct Screen {
    double developed;       // L, m or ft
    double anchorDistance;  // U, m or ft
    double displacement;    // y, mm or in
    double value;           // D·y / (L − U)²
    double limit;           // K1
    bool needsAnalysis;     // value > K1
};

double ScreenLimit(Units units, double allowable, double modulus);

// An L-bend: the run and the leg at right angles, each in the request's length unit.
// L = run + leg, U = √(run² + leg²), y = Δ·U/run.
Screen ScreenLBend(Units units, double diameter, double movement, double run, double leg,
                   double allowable, double modulus);

// A loop in a straight run: L = run + 2·H, U = run, y = Δ.
Screen ScreenLoop(Units units, double diameter, double movement, double run, double height,
                  double allowable, double modulus);

}  // namespace velmarith::engineering
