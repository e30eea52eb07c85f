#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The optional parts of one calculation's output.
struct OutputOptions {
    bool rate = false;
    bool finalLength = false;
    bool explain = false;
};

// What an optional figure's line says when the figure does not fit a single, and when the
// length it needs is not positive.
inline constexpr std::string_view kFigureOverflow = "超出单精度范围";
inline constexpr std::string_view kNeedsPositiveLength = "需要正的长度";

// One calculation as printed: its lines, and the message for standard error (empty when
// none) with the exit status.
struct ResultText {
    std::vector<std::string> lines;
    std::string error;
    int status = 0;
    // What a terminal adds on standard error, the lines staying the window's: a typed
    // temperature the window's whole degrees changed, an input out of the ordinary.
    std::vector<std::string> notes;
};

// The material as the request named it: "Q345R, 按 碳钢和低铬钼钢" for a grade, else its name.
std::string MaterialText(const engineering::Catalogue& catalogue,
                         const engineering::Request& request);

// The line that says which group a grade was taken as: "  材料: Q345R, 按 碳钢和低铬钼钢".
inline constexpr std::string_view kMaterialLead = "  材料: ";

// A typed temperature that whole degrees changed, as a note: "温度 350.5 摄氏度按整摄氏度…".
std::string RoundingText(const engineering::RoundingStep& rounding);

// The explanation when asked, the output button's lines, then when asked the rate and the
// final length, and with a cold temperature the change from installation to it and the
// movement from it to the warmest state. A refused request prints nothing and gives its
// first fault's message, status 1. When only an optional figure has no value (it does not
// fit a single, or a rate or final length of a length not above zero), every other line is
// printed, that figure's line says why, and the status is 1.
ResultText RenderText(const engineering::Catalogue& catalogue,
                      const engineering::Evaluation& evaluation, const OutputOptions& options);

// A figure as its line has it after the label: the value and its unit, or why there is none.
std::string FigureText(const std::optional<float>& value, std::string_view unit);

}  // namespace velmarith::tool
