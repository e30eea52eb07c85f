#include "engineering/LegCheck.h"

#include <cmath>
#include <numbers>

#include "engineering/AsShown.h"

namespace velmarith::engineering {

double SecondMoment(double diameter, double wall) {
    const double inner = diameter - 2 * wall;
    return std::numbers::pi / 64 * (std::pow(diameter, 4) - std::pow(inner, 4));
}

double CantileverStress(double modulus, double diameter, double movement, double length) {
    return 3 * modulus * diameter * std::fabs(movement) / (length * length);
}

double CantileverForce(Units units, double modulus, double inertia, double movement,
                       double length) {
    if (movement == 0) return 0;  // and a sized leg of no length carries nothing
    // MPa·mm⁴·mm / mm³ is N; psi·in⁴·in / in³ is lbf.
    const double newtons = 12 * modulus * inertia * std::fabs(movement) / std::pow(length, 3);
    return units == Units::Si ? newtons / 1000 : newtons;
}

LegCheck CheckLeg(Units units, double modulus, double diameter, std::optional<double> inertia,
                  double movement, double allowable, double length, std::optional<double> width,
                  std::optional<double> height) {
    LegCheck check{};
    check.length = length;
    check.width = width;
    check.height = height;
    check.stress = CantileverStress(modulus, diameter, movement, length);
    check.ratio = check.stress / allowable;
    check.sufficient = AsShown(check.ratio) <= 1;
    if (inertia) check.force = CantileverForce(units, modulus, *inertia, movement, length);
    return check;
}

}  // namespace velmarith::engineering
