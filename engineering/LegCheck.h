#pragma once

#include <optional>

#include "engineering/Units.h"

namespace velmarith::engineering {

// A leg or loop the layout offers, checked as a guided cantilever that takes the movement Δ:
// S = 3·Ea·D·Δ / L², and the force on the anchor F = 12·Ea·I·Δ / L³. A loop bends over
// Lf = W + 2·H.
struct LegCheck {
    double length;                 // Lg, or Lf of a loop
    std::optional<double> width;   // a loop's W
    std::optional<double> height;  // a loop's H, each leg
    double stress;                 // MPa, psi
    double ratio;                  // S / SA
    std::optional<double> force;   // kN, lbf; none without the wall
    bool sufficient;               // S ≤ SA
};

// I = π/64·(D⁴ − (D − 2t)⁴), mm⁴ or in⁴.
double SecondMoment(double diameter, double wall);

// 3·Ea·D·Δ / L², in Ea's unit.
double CantileverStress(double modulus, double diameter, double movement, double length);

// 12·Ea·I·Δ / L³: N (shown in kN) from MPa and mm, lbf from psi and in.
double CantileverForce(Units units, double modulus, double inertia, double movement, double length);

// The check of a leg (no width and height) or a loop.
LegCheck CheckLeg(Units units, double modulus, double diameter, std::optional<double> inertia,
                  double movement, double allowable, double length,
                  std::optional<double> width = std::nullopt,
                  std::optional<double> height = std::nullopt);

}  // namespace velmarith::engineering
