#pragma once

#include <string>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// A small SVG sketch, not to scale, of the ways to take up the movement: an L-bend with its
// leg Lg and a Π loop with its width W and height H, each carrying the computed dimension and
// the one the layout gives. The chosen way alone where the line's inputs choose one, else
// both. Empty when there is no leg (no allowable range given).
std::string PipeSketchSvg(const engineering::Request& request,
                          const engineering::Compensation& figures);

// One part of a bellows line, not to scale: the main anchor, the joint with its movement and
// pre-set, the first two guides and the spacing after them, up to the part's other anchor,
// each distance and the anchor's load carrying its figure.
std::string BellowsSketchSvg(const engineering::Request& request,
                             const engineering::Bellows& bellows);

}  // namespace velmarith::tool
