#pragma once

#include <optional>

#include "engineering/Bellows.h"
#include "engineering/Compensation.h"
#include "engineering/Figures.h"
#include "engineering/FlexibilityScreen.h"
#include "engineering/LegCheck.h"
#include "engineering/Request.h"

namespace velmarith::engineering {

// What the line's own layout and joints make of the movement; present only when one of the
// line's inputs is given.
struct LineDesign {
    std::optional<double> inertia;    // I, with the wall
    std::optional<double> legForce;   // on the anchor, of the sized leg
    std::optional<double> loopForce;  // of the sized loop
    std::optional<LegCheck> legCheck;
    std::optional<LegCheck> loopCheck;
    std::optional<Screen> screenLeg;
    std::optional<Screen> screenLoop;
    std::optional<Bellows> bellows;
};

// The figures of a request with the line's inputs, from its own movement, Ea, SA, D and t.
// None when a figure does not fit a double.
std::optional<LineDesign> DesignLine(const Request& request, const Result& result,
                                     const Compensation& figures);

}  // namespace velmarith::engineering
