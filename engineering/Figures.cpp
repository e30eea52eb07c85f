#include "engineering/Figures.h"

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

// (L·ᾱ)·(T − Tr) in double, the window's order.
double ScaledGrowth(double lengthMm, float coefficient, double celsius, double reference) {
    return (lengthMm * static_cast<double>(coefficient)) * (celsius - reference);
}

}  // namespace

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

std::optional<double> GrowthMm(const CoefficientCache& coefficients, int material, double lengthMm,
                               double fromCelsius, double toCelsius) {
    const double reference = coefficients.Materials().Reference(material);
    const auto coefficientAt = [&](double celsius) -> std::optional<float> {
        if (const auto hit = coefficients.Find(material, celsius)) return hit->coefficient;
        if (celsius == reference) return 0.0f;
        return std::nullopt;
    };
    const auto a1 = coefficientAt(fromCelsius);
    const auto a2 = coefficientAt(toCelsius);
    if (!a1 || !a2) return std::nullopt;
    return (ScaledGrowth(lengthMm, *a2, toCelsius, reference) -
            ScaledGrowth(lengthMm, *a1, fromCelsius, reference)) /
           1'000'000.0;
}

std::variant<Result, std::string> Calculate(const CoefficientCache& coefficients,
                                            const Request& request) {
    const double hot = request.Celsius(request.temperature);
    const double install = request.Celsius(request.install);
    const auto at = coefficients.Find(request.material, hot);
    if (!at) return std::string("温度超过范围");
    const double reference = coefficients.Materials().Reference(request.material);
    const auto atInstall = coefficients.Find(request.material, install);
    // 20 °C is always allowed as the installation temperature of a table from 20 °C: its
    // term is zero.
    if (!atInstall && install != reference) return std::string("安装温度超过范围");
    const float installCoefficient = atInstall ? atInstall->coefficient : 0.0f;
    std::optional<CoefficientHit> atCold;
    if (request.cold) {
        atCold = coefficients.Find(request.material, request.Celsius(*request.cold));
        if (!atCold) return std::string("冷态温度超过范围");
    }

    const double toUnit = request.units == Units::Si ? 1.0 : kMillimetresPerInch;
    const auto growth = [&](double lengthMm, float a1, double t1, float a2, double t2) {
        const double mm = (ScaledGrowth(lengthMm, a2, t2, reference) -
                           ScaledGrowth(lengthMm, a1, t1, reference)) /
                          1'000'000.0;
        return RoundToSingle(request.units == Units::Si ? mm : mm / toUnit);
    };
    const double length = request.LengthMm();
    const auto expansion = growth(length, installCoefficient, install, at->coefficient, hot);
    if (!expansion) return std::string("计算结果超出范围");

    Result result{*at,          atInstall,    atCold,       *expansion,
                  std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    const double rateLength =
        request.units == Units::Si ? kRateLengthSi : kRateLengthUs * kMillimetresPerInch;
    result.rate = growth(rateLength, installCoefficient, install, at->coefficient, hot);
    result.finalLength =
        RoundToSingle(static_cast<double>(request.length) + static_cast<double>(*expansion));
    if (atCold) {
        const double cold = request.Celsius(*request.cold);
        result.coldExpansion =
            growth(length, installCoefficient, install, atCold->coefficient, cold);
        result.movement = growth(length, atCold->coefficient, cold, at->coefficient, hot);
        if (!result.coldExpansion || !result.movement) {
            return std::string("计算结果超出范围");
        }
    }
    return result;
}

}  // namespace velmarith::engineering
