#include "engineering/Figures.h"

#include "calc/Expansion.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {

std::variant<Result, std::string> Calculate(const Catalogue& catalogue, const Request& request,
                                            const CoefficientCache* cache) {
    // A checked request lies within the material's range, where every lookup finds a value;
    // only the reference temperature may lie outside it, and its term is zero.
    const auto find = [&](double celsius) {
        return catalogue.Lookup(request.material, celsius, cache);
    };
    const double reference = catalogue.Reference(request.material);
    const double hot = request.Celsius(request.temperature);
    const double install = request.Celsius(request.install);
    const CoefficientHit at = *find(hot);
    const auto atInstall = find(install);
    const float installCoefficient = atInstall ? atInstall->coefficient : 0.0f;
    const auto atCold =
        request.cold ? find(request.Celsius(*request.cold)) : std::optional<CoefficientHit>();

    const double toUnit = request.units == Units::Si ? 1.0 : kMillimetresPerInch;
    const auto growth = [&](double lengthMm, float a1, double t1, float a2, double t2) {
        return RoundToSingle(ScaledGrowth(lengthMm, {a2, t2}, reference, GrowthState{a1, t1}) /
                             1'000'000.0 / toUnit);
    };
    const double length = request.LengthMm();
    const auto expansion = growth(length, installCoefficient, install, at.coefficient, hot);
    if (!expansion) return std::string("计算结果超出范围");

    Result result{at,           atInstall,    atCold,       *expansion,
                  std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    const double rateLength =
        request.units == Units::Si ? kRateLengthSi : kRateLengthUs * kMillimetresPerInch;
    result.rate = growth(rateLength, installCoefficient, install, at.coefficient, hot);
    result.finalLength =
        RoundToSingle(static_cast<double>(request.length) + static_cast<double>(*expansion));
    if (request.cold) {
        const double cold = request.Celsius(*request.cold);
        const float coldCoefficient = atCold ? atCold->coefficient : 0.0f;  // none: the reference
        result.coldExpansion = growth(length, installCoefficient, install, coldCoefficient, cold);
        result.movement = growth(length, coldCoefficient, cold, at.coefficient, hot);
        if (!result.coldExpansion || !result.movement) {
            return std::string("计算结果超出范围");
        }
    }
    return result;
}

}  // namespace velmarith::engineering
