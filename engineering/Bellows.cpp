#include "engineering/Bellows.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engineering/AsShown.h"

namespace velmarith::engineering {
namespace {

double Shown(Units units, double newtonsOrPounds) {
    return units == Units::Si ? newtonsOrPounds / 1000 : newtonsOrPounds;
}

}  // namespace

double PressureThrust(Units units, double pressure, double area) {
    // 1 MPa on 1 cm² is 100 N.
    return units == Units::Si ? Shown(units, 100 * pressure * area) : pressure * area;
}

double SpringForce(Units units, double stiffness, double compression) {
    return Shown(units, stiffness * compression);
}

double FrictionForce(Units units, double friction, double weight, double length) {
    const double run = units == Units::Si ? length / 1000 : length / 12;  // m, ft
    return Shown(units, friction * weight * run);
}

double GuideSpacing(Units units, double modulus, double inertia, double force) {
    const double newtons = units == Units::Si ? force * 1000 : force;
    return std::numbers::pi / 2 * std::sqrt(modulus * inertia / newtons);
}

Bellows DesignBellows(Units units, const Line& line, double diameter, double modulus,
                      double inertia, double movement, double length,
                      std::optional<double> installToCold) {
    Bellows b{};
    b.ratedMovement = *line.jointMovement;
    const double delta = std::fabs(movement);
    // The count from Δ as printed; a quotient a hair above a whole number from rounding is
    // that number.
    const double parts = AsShown(delta) / b.ratedMovement;
    b.joints = std::max(1.0, std::ceil(parts * (1 - 1e-12)));
    b.movementPerJoint = delta / b.joints;
    b.preset = b.movementPerJoint / 2 + installToCold.value_or(0) / b.joints;
    if (line.pressure && line.jointArea) {
        b.pressureThrust = PressureThrust(units, *line.pressure, *line.jointArea);
    }
    b.springForce = SpringForce(units, *line.jointStiffness, b.movementPerJoint / 2);
    if (line.weight) {
        b.frictionForce = FrictionForce(units, line.friction, *line.weight, length / b.joints);
    }
    b.anchorForce = b.pressureThrust.value_or(0) + b.springForce + b.frictionForce.value_or(0);
    b.firstGuide = 4 * diameter;
    b.secondGuide = 14 * diameter;
    const double axial = b.pressureThrust.value_or(0) + b.springForce;
    if (axial > 0) b.guideSpacing = GuideSpacing(units, modulus, inertia, axial);
    return b;
}

}  // namespace velmarith::engineering
