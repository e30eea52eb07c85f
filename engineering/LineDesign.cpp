#include "engineering/LineDesign.h"

#include <cmath>
#include <initializer_list>

#include "engineering/Finite.h"

namespace velmarith::engineering {
namespace {

// The figures' own overloads beside the one for a list of figures.
using engineering::Finite;

bool Finite(const std::optional<LegCheck>& check) {
    return !check || Finite({check->length, check->stress, check->ratio, check->force});
}

bool Finite(const std::optional<Screen>& screen) {
    return !screen || Finite({screen->developed, screen->anchorDistance, screen->displacement,
                              screen->value, screen->limit});
}

}  // namespace

std::optional<LineDesign> DesignLine(const Request& request, const Result& result,
                                     const Compensation& figures) {
    const Pipe& pipe = *request.pipe;
    const Line& line = *request.line;
    const Units units = request.units;
    const double d = pipe.diameter;
    const double ea = figures.modulus;
    const double delta = figures.movement;
    const double run = request.typedLength;
    LineDesign design;
    if (pipe.wall) design.inertia = SecondMoment(d, *pipe.wall);
    if (figures.allowableRange) {
        const double sa = *figures.allowableRange;
        if (design.inertia) {
            design.legForce = CantileverForce(units, ea, *design.inertia, delta, *figures.leg);
            design.loopForce =
                CantileverForce(units, ea, *design.inertia, delta, *figures.loopLength);
        }
        if (line.leg) {
            design.legCheck = CheckLeg(units, ea, d, design.inertia, delta, sa, *line.leg);
        }
        if (line.loopWidth && line.loopHeight) {
            design.loopCheck =
                CheckLeg(units, ea, d, design.inertia, delta, sa,
                         *line.loopWidth + 2 * *line.loopHeight, line.loopWidth, line.loopHeight);
        }
        design.screenLeg =
            ScreenLBend(units, d, delta, run, line.leg.value_or(*figures.leg), sa, ea);
        design.screenLoop =
            ScreenLoop(units, d, delta, run, line.loopHeight.value_or(*figures.loopHeight), sa, ea);
    }
    if (line.Joint() && design.inertia) {
        // From installation to the cold extreme: the cold state, or the temperature itself when
        // the line works below its installation.
        std::optional<double> installToCold;
        if (request.cold && result.coldExpansion) {
            installToCold = static_cast<double>(*result.coldExpansion);
        } else if (figures.temperatureIsColdExtreme) {
            installToCold = static_cast<double>(result.expansion);
        }
        design.bellows =
            DesignBellows(units, line, d, ea, *design.inertia, delta, run, installToCold);
    }
    bool finite = Finite({design.inertia, design.legForce, design.loopForce}) &&
                  Finite(design.legCheck) && Finite(design.loopCheck) && Finite(design.screenLeg) &&
                  Finite(design.screenLoop);
    if (const auto& b = design.bellows) {
        finite = finite && Finite({b->joints, b->movementPerJoint, b->preset, b->pressureThrust,
                                   b->springForce, b->frictionForce, b->anchorForce, b->firstGuide,
                                   b->secondGuide, b->guideSpacing});
    }
    if (!finite) return std::nullopt;
    return design;
}

}  // namespace velmarith::engineering
