#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engineering/Figures.h"

namespace velmarith::engineering {

// The coefficient table as the window holds it, one material a line with its valid range;
// "-" where no lookup can find a value (no element, or a placeholder below the material's
// range), explained in the last line. Integers are printed as integers. The user's own
// materials follow, each with its reference temperature and points.
std::vector<std::string> TableLines(const Catalogue& catalogue, std::optional<int> material);

// How the coefficients and every figure came about, step by step, to follow by hand: the
// growth from installation to the warmest state and, with a cold state, the change from
// installation to it and the movement between the two.
std::vector<std::string> ExplainLines(const Catalogue& catalogue, const Request& request,
                                      const Result& result);

}  // namespace velmarith::engineering
