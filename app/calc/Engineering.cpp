#include "app/calc/Engineering.h"

#include "calc/Expansion.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

std::string RangeText(const MaterialLimits& limits) {
    return IntegerToText(limits.Low) + " ~ " + IntegerToText(limits.High) + " 摄氏度";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string WholeDegreesIn(const MaterialLimits& limits) {
    return " (应为整摄氏度数, 该材料为 " + RangeText(limits) + ")";
}

std::string_view TrimSpaces(std::string_view text) {
    constexpr std::string_view kSpaces[] = {" ", "\u3000"};  // and the ideographic space
    bool trimmed = true;
    while (trimmed) {
        trimmed = false;
        for (const auto space : kSpaces) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                trimmed = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                trimmed = true;
            }
        }
    }
    return text;
}

}  // namespace

std::optional<int> ParseMaterial(std::string_view text) {
    if (const auto position = TextToInteger(text); position && IsMaterialIndex(*position)) {
        return *position;
    }
    const std::string_view name = TrimSpaces(text);
    for (int k = 0; k < kMaterialCount; ++k) {
        if (MaterialListTexts[k] == name) return k;
    }
    return std::nullopt;
}

std::variant<Request, std::string> ParseRequest(std::string_view material,
                                                std::string_view temperature,
                                                std::string_view length,
                                                std::optional<std::string_view> install) {
    Request request;
    const auto k = ParseMaterial(material);
    if (!k) return "未知材料: " + Quoted(material) + " (应为 0 至 7 或材料名称)";
    request.material = *k;
    const MaterialLimits& limits = MaterialLimitsTable[request.material];
    const auto t = TextToInteger(temperature);
    if (!t) return "温度无效: " + Quoted(temperature) + WholeDegreesIn(limits);
    request.temperature = *t;
    const auto l = TextToSingle(length);
    if (!l) return "长度无效: " + Quoted(length) + " (应为单精度范围内的数)";
    request.length = *l;
    if (install) {
        const auto t1 = TextToInteger(*install);
        if (!t1) {
            return "安装温度无效: " + Quoted(*install) + " (应为 20 摄氏度或 " + RangeText(limits) +
                   "之内的整摄氏度数)";
        }
        request.install = *t1;
    }

    if (!WithinLimits(limits, request.temperature)) {
        return "温度超过范围: " + IntegerToText(request.temperature) + " 摄氏度不在 " +
               RangeText(limits) + "之内";
    }
    if (request.install != ReferenceTemperature && !WithinLimits(limits, request.install)) {
        return "安装温度超过范围: " + IntegerToText(request.install) + " 摄氏度 (安装温度应为 20 " +
               "摄氏度, 或在该材料的 " + RangeText(limits) + "之内)";
    }
    return request;
}

std::optional<CoefficientHit> CoefficientCache::Find(int material, std::int16_t temperature) const {
    if (!WithinTemperatureBounds(temperature)) {
        return FindCoefficient(tables_, material, temperature);
    }
    Slot& slot = slots_[static_cast<std::size_t>(material) * kSlotsPerMaterial +
                        static_cast<std::size_t>(temperature - LowestTemperature)];
    if (!slot.filled) {
        slot.hit = FindCoefficient(tables_, material, temperature);
        slot.filled = true;
    }
    return slot.hit;
}

std::variant<Result, std::string> Calculate(const CoefficientCache& coefficients,
                                            const Request& request) {
    const auto at = coefficients.Find(request.material, request.temperature);
    if (!at) return std::string("温度超过范围");
    const auto atInstall = coefficients.Find(request.material, request.install);
    // 20 °C is always allowed as the installation temperature: its term is zero.
    const float installCoefficient = atInstall ? atInstall->coefficient : 0.0f;

    const auto growth = [&](float length) {
        return RoundToSingle((ScaledGrowthFrom20(length, at->coefficient, request.temperature) -
                              ScaledGrowthFrom20(length, installCoefficient, request.install)) /
                             1'000'000.0);
    };
    const auto expansion = growth(request.length);
    if (!expansion) return std::string("计算结果超出范围");
    const auto finalLength =
        RoundToSingle(static_cast<double>(request.length) + static_cast<double>(*expansion));
    return Result{*at, atInstall, *expansion, growth(1000.0f), finalLength};
}

}  // namespace velmarith::tool
