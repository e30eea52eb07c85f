#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/GridWalk.h"
#include "engineering/Catalogue.h"
#include "engineering/Request.h"

namespace velmarith::engineering {

// Every figure is in the request's length unit (mm, or in); std::nullopt for an optional
// one that does not fit a single. They never cost the expansion, which is the window's.
struct Result {
    CoefficientHit coefficient;                        // at the (warmest) temperature
    std::optional<CoefficientHit> installCoefficient;  // at the installation temperature
    std::optional<CoefficientHit> coldCoefficient;     // at the cold temperature
    float expansion;                                   // installation → warmest
    std::optional<float> rate;                         // per 1 m (mm/m) or per 100 ft (in)
    std::optional<float> finalLength;
    std::optional<float> coldExpansion;  // installation → coldest
    std::optional<float> movement;       // coldest → warmest
};

// The figures of a checked request, each growth by the one rule (calc's ScaledGrowth) with the
// material's reference temperature Tr (20 °C for the eight): from T1 = 20 the window's result
// exactly. In US units L is the length in mm (in × 25.4) and each
// growth is turned back into inches before it is rounded to single. Fails only when the
// growth itself does not fit a single.
std::variant<Result, std::string> Calculate(const Catalogue& catalogue, const Request& request,
                                            const CoefficientCache* cache = nullptr);

}  // namespace velmarith::engineering
