#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Units.h"

namespace velmarith::tool {

struct OneShotOptions {
    std::string material;
    std::string temperature;  // the warmest state
    std::string length;
    std::optional<std::string> install;  // not given: 20 °C (68 °F)
    std::optional<std::string> cold;     // the coldest state, if any
    engineering::Units units = engineering::Units::Si;
    bool rate = false;
    bool finalLength = false;
    bool explain = false;
};

// The labels the optional figures' lines start with; the figure and its unit follow.
inline constexpr std::string_view kRateLeadSi = "  每米膨胀量为: ";
inline constexpr std::string_view kRateLeadUs = "  每100英尺膨胀量为: ";
inline constexpr std::string_view kFinalLengthLead = "  膨胀后长度为: ";
inline constexpr std::string_view kColdExpansionLead = "  安装至冷态的膨胀量为: ";
inline constexpr std::string_view kMovementLead = "  冷态至热态的位移量为: ";
// What an optional figure's line says when the figure does not fit a single.
inline constexpr std::string_view kFigureOverflow = "超出单精度范围";

// What one calculation prints: its lines, and the message for standard error (empty when
// none) with the exit status.
struct OneShotOutcome {
    std::vector<std::string> lines;
    std::string error;
    int status = 0;
};

// One calculation. In SI units it prints the output button's lines exactly as the window
// does (through the window's own handlers); in US units lines of the same shape that say
// their units. Then, when asked, the explanation, the rate, the final length, and with a
// cold temperature the change from installation to it and the movement from it to the
// warmest state. On an error: a message on err, nothing on out, status 1. When only an
// optional figure does not fit, every other line is printed, that figure's line says so,
// and the status is 1.
OneShotOutcome OneShotLines(const engineering::Catalogue& catalogue, const OneShotOptions& options);
int RunOneShot(const engineering::Catalogue& catalogue, const OneShotOptions& options,
               std::FILE* out, std::FILE* err);

}  // namespace velmarith::tool
