#include "engineering/Figures.h"

#include "calc/Expansion.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {

std::optional<CoefficientHit> CoefficientCache::Find(int material, double celsius) const {
    const bool whole = celsius == static_cast<double>(static_cast<int>(celsius));
    if (!Catalogue::IsBuiltIn(material) || !whole ||
        !WithinTemperatureBounds(static_cast<int>(celsius))) {
        return catalogue_.Lookup(material, celsius);
    }
    const int t = static_cast<int>(celsius);
    Slot& slot = slots_[static_cast<std::size_t>(material) * kSlotsPerMaterial +
                        static_cast<std::size_t>(t - LowestTemperature)];
    if (!slot.filled) {
        slot.hit = catalogue_.Lookup(material, t);
        slot.filled = true;
    }
    return slot.hit;
}

std::optional<CoefficientHit> LookUp(const Catalogue& catalogue, const CoefficientCache* cache,
                                     int material, double celsius) {
    return cache != nullptr ? cache->Find(material, celsius) : catalogue.Lookup(material, celsius);
}

double Growth(double length, float a1, double t1, float a2, double t2, double reference) {
    return (ScaledGrowth(length, a2, t2, reference) - ScaledGrowth(length, a1, t1, reference)) /
           1'000'000.0;
}

std::optional<double> GrowthMm(const Catalogue& catalogue, int material, double lengthMm,
                               double fromCelsius, double toCelsius) {
    const double reference = catalogue.Reference(material);
    const auto coefficientAt = [&](double celsius) -> std::optional<float> {
        if (const auto coefficient = catalogue.CoefficientAt(material, celsius)) return coefficient;
        if (celsius == reference) return 0.0f;
        return std::nullopt;
    };
    const auto a1 = coefficientAt(fromCelsius);
    const auto a2 = coefficientAt(toCelsius);
    if (!a1 || !a2) return std::nullopt;
    return Growth(lengthMm, *a1, fromCelsius, *a2, toCelsius, reference);
}

std::variant<Result, std::string> Calculate(const Catalogue& catalogue, const Request& request,
                                            const CoefficientCache* cache) {
    // A checked request lies within the material's range, where every lookup finds a value;
    // only the reference temperature may lie outside it, and its term is zero.
    const auto find = [&](double celsius) {
        return LookUp(catalogue, cache, request.material, celsius);
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
        return RoundToSingle(Growth(lengthMm, a1, t1, a2, t2, reference) / toUnit);
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
