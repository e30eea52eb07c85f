#pragma once

#include <string>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The line's design as lines after the pipe's: the anchor force of the sized leg and loop,
// the check of a leg or loop the layout offers, the flexibility screen and the bellows joints.
std::vector<std::string> LineDesignLines(const engineering::Request& request,
                                         const engineering::Compensation& figures,
                                         const engineering::LineDesign& line);

// Each formula with its numbers, for --explain.
std::vector<std::string> LineDesignWorking(const engineering::Request& request,
                                           const engineering::Result& result,
                                           const engineering::Compensation& figures,
                                           const engineering::LineDesign& line);

// The words of a screen's outcome.
inline constexpr std::string_view kNoAnalysisNeeded = "无需正式柔性分析";
inline constexpr std::string_view kAnalysisNeeded = "需作正式柔性分析";

}  // namespace velmarith::tool
