#pragma once

#include <string>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The pipe's figures as lines after the output button's: the method, the modulus and the
// allowable range with their sources, the fully restrained line, the movement, the leg of an
// L- or Z-bend and the Π loop. Each figure at 7 significant digits.
std::vector<std::string> CompensationLines(const engineering::Request& request,
                                           const engineering::Compensation& figures);

// Each formula with its numbers, for --explain.
std::vector<std::string> CompensationWorking(const engineering::Catalogue& catalogue,
                                             const engineering::Request& request,
                                             const engineering::Result& result,
                                             const engineering::Compensation& figures);

// A figure as the lines show it: 7 significant digits.
std::string Figure(double value);

}  // namespace velmarith::tool
