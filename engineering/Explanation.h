#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engineering/Figures.h"

namespace velmarith::engineering {

// How one calculation came about, as steps to follow by hand; the presentation writes them out.

// A typed temperature that the window's whole degrees changed ("150.5" is computed at 150).
struct RoundingStep {
    RequestField field;  // Temperature, Install or Cold
    std::string typed;
    double used;
};

// The coefficient at one temperature (°C): a table point or between two. None at the
// material's reference temperature outside its range, where the term is zero.
struct CoefficientStep {
    double celsius;
    std::optional<CoefficientHit> hit;
};

// One growth L·α(T2)·(T2 − Tr) − L·α(T1)·(T1 − Tr); no first term when T1 is the reference.
struct GrowthTerm {
    float coefficient;
    double celsius;
};
struct GrowthStep {
    std::string name;
    std::optional<GrowthTerm> from;
    GrowthTerm to;
    float value;
};

struct Explanation {
    std::vector<RoundingStep> roundings;
    std::vector<CoefficientStep> coefficients;
    std::vector<GrowthStep> growths;
    bool windowFormula = false;  // the window's own case: ΔL = (L × α × (T - 20)) ÷ 10^6
};

Explanation Explain(const Catalogue& catalogue, const RequestText& text, const Request& request,
                    const Result& result);

}  // namespace velmarith::engineering
