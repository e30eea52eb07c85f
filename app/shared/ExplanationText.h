#pragma once

#include <string>
#include <vector>

#include "engineering/Explanation.h"

namespace velmarith::tool {

// What a rounding note says after the field's name: "150.5 摄氏度按整摄氏度计算, 取为 150 …".
std::string RoundingNote(const engineering::RoundingStep& rounding);

// The working of one calculation, line by line: the material, the roundings, each lookup with
// its grid points, each growth with its numbers (--explain).
std::vector<std::string> ExplainLines(const engineering::Catalogue& catalogue,
                                      const engineering::Request& request,
                                      const engineering::Explanation& explanation);

}  // namespace velmarith::tool
