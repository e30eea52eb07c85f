#pragma once

#include <optional>

#include "engineering/Pipe.h"
#include "engineering/Units.h"

namespace velmarith::engineering {

// Axial bellows joints between two main anchors: the run in equal parts, one joint each,
// the load on a main anchor and where the guides go. Forces in kN (SI) or lbf, lengths in the
// request's length unit.
struct Bellows {
    double joints;            // n = ⌈Δ / rated movement⌉, at least 1
    double movementPerJoint;  // δ = Δ / n
    double ratedMovement;
    double preset;  // at installation: > 0 stretched, < 0 compressed, for joints that compress
                    // as the pipe heats
    std::optional<double> pressureThrust;  // P·Aeff; none without pressure or area
    double springForce;                    // K·δ/2
    std::optional<double> frictionForce;   // μ·q·L/n; none without the weight
    double anchorForce;                    // their sum
    double firstGuide;                     // at most 4·D from the joint
    double secondGuide;                    // at most 14·D from the first
    std::optional<double> guideSpacing;    // then at most (π/2)·√(Ea·I / (Fp + Fs)) apart
};

// P·Aeff: 100·P[MPa]·A[cm²] N, shown in kN; psi·in² is lbf.
double PressureThrust(Units units, double pressure, double area);
// K·x: N/mm·mm, shown in kN; lbf/in·in is lbf.
double SpringForce(Units units, double stiffness, double compression);
// μ·q·l over a length in the request's unit: N/m·m, shown in kN; lbf/ft·ft is lbf.
double FrictionForce(Units units, double friction, double weight, double length);
// (π/2)·√(Ea·I / F), F in kN or lbf: mm or in.
double GuideSpacing(Units units, double modulus, double inertia, double force);

// The joints for a run of the given length taking the movement Δ; installToCold is the
// growth from the installation to the cold state (none: no cold state).
Bellows DesignBellows(Units units, const Line& line, double diameter, double modulus,
                      double inertia, double movement, double length,
                      std::optional<double> installToCold);

}  // namespace velmarith::engineering
