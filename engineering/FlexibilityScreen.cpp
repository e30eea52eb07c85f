#include "engineering/FlexibilityScreen.h"

#include <cmath>

#include "engineering/AsShown.h"

namespace velmarith::engineering {
namespace {

// Metres from mm, feet from in.
double Long(Units units, double length) { return units == Units::Si ? length / 1000 : length / 12; }

Screen Finish(Units units, double diameter, double developed, double distance, double y,
              double allowable, double modulus) {
    Screen screen{};
    screen.developed = developed;
    screen.anchorDistance = distance;
    screen.displacement = y;
    const double slack = developed - distance;
    // No movement, nothing to take up: a leg of no length is then no fault.
    screen.value = y == 0 ? 0 : diameter * y / (slack * slack);
    screen.limit = ScreenLimit(units, allowable, modulus);
    screen.needsAnalysis = !(AsShown(screen.value) <= AsShown(screen.limit));
    return screen;
}

}  // namespace

double ScreenLimit(Units units, double allowable, double modulus) {
    return (units == Units::Si ? 208'000 : 30) * allowable / modulus;
}

Screen ScreenLBend(Units units, double diameter, double movement, double run, double leg,
                   double allowable, double modulus) {
    const double r = Long(units, run);
    const double g = Long(units, leg);
    const double u = std::hypot(r, g);
    return Finish(units, diameter, r + g, u, std::fabs(movement) * u / r, allowable, modulus);
}

Screen ScreenLoop(Units units, double diameter, double movement, double run, double height,
                  double allowable, double modulus) {
    const double r = Long(units, run);
    return Finish(units, diameter, r + 2 * Long(units, height), r, std::fabs(movement), allowable,
                  modulus);
}

}  // namespace velmarith::engineering
