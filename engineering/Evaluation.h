#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engineering/Compensation.h"
#include "engineering/Explanation.h"
#include "engineering/Figures.h"
#include "engineering/LineDesign.h"
#include "engineering/Request.h"

namespace velmarith::engineering {

// The labels the optional figures' lines start with; the figure and its unit follow.
inline constexpr std::string_view kRateLeadSi = "  每米膨胀量为: ";
inline constexpr std::string_view kRateLeadUs = "  每100英尺膨胀量为: ";
inline constexpr std::string_view kFinalLengthLead = "  膨胀后长度为: ";
inline constexpr std::string_view kColdExpansionLead = "  安装至冷态的膨胀量为: ";
inline constexpr std::string_view kMovementLead = "  冷态至热态的位移量为: ";

// The output button's lines for a request: in SI the window's own, built by the window's line
// functions; in US units lines of the same shape that say their units. With an installation
// temperature other than the default, a line for its coefficient follows the first.
struct ResultLines {
    std::string coefficient;
    std::optional<std::string> install;
    std::string expansion;
    // As printed: the coefficient line(s), three empty lines, the expansion line.
    std::vector<std::string> Printed() const;
};

// A coefficient per °F (10^-6/°F), rounded to single as the lines show it.
float PerFahrenheit(const CoefficientHit& hit);

// Everything one request gives: its faults by field, or the checked request with every
// figure, the lines and the explanation. A sound request whose growth does not fit a single
// has no result and says why in failure.
struct Evaluation {
    std::vector<RequestFault> faults;
    std::optional<Request> request;
    std::optional<Result> result;
    std::string failure;
    ResultLines lines;
    Explanation explanation;
    std::optional<Compensation> compensation;  // with a pipe: what the movement does to it
    std::optional<LineDesign> line;            // with the line's inputs: its layout and joints

    bool Sound() const { return result.has_value(); }
    // Why there is no result, as the command line says it: the first fault, or the failure.
    std::string Refusal() const;
};

// How much an evaluation writes out: a batch row needs the figures alone.
enum class Detail { Figures, Full };

// Checks and computes one request, each coefficient and figure once. A batch hands its
// cache in; a single calculation looks up directly.
Evaluation Evaluate(const Catalogue& catalogue, const RequestText& text,
                    const CoefficientCache* cache = nullptr, Detail detail = Detail::Full);

}  // namespace velmarith::engineering
