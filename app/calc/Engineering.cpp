#include "app/calc/Engineering.h"

#include "calc/Expansion.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

std::string RangeText(const MaterialLimits& limits) {
    return IntegerToText(limits.Low) + " ~ " + IntegerToText(limits.High) + " 摄氏度";
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::optional<int> ParseMaterial(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kMaterialCount) return text[0] - '0';
    for (int k = 0; k < kMaterialCount; ++k) {
        if (MaterialListTexts[k] == text) return k;
    }
    return std::nullopt;
}

std::variant<Request, std::string> ParseRequest(std::string_view material,
                                                std::string_view temperature,
                                                std::string_view length, std::string_view install) {
    Request request;
    const auto k = ParseMaterial(material);
    if (!k) return "未知材料: " + Quoted(material) + " (应为 0 至 7 或材料名称)";
    request.material = *k;
    const auto t = TextToInteger(temperature);
    if (!t) return "温度无效: " + Quoted(temperature) + " (应为 -32768 至 32767 之间的数)";
    request.temperature = *t;
    const auto l = TextToSingle(length);
    if (!l) return "长度无效: " + Quoted(length) + " (应为单精度范围内的数)";
    request.length = *l;
    if (!install.empty()) {
        const auto t1 = TextToInteger(install);
        if (!t1) return "安装温度无效: " + Quoted(install) + " (应为 -32768 至 32767 之间的数)";
        request.install = *t1;
    }

    const MaterialLimits& limits = MaterialLimitsTable[request.material];
    if (!WithinLimits(limits, request.temperature)) {
        return "温度超过范围: " + IntegerToText(request.temperature) + " 摄氏度不在 " +
               RangeText(limits) + "之内";
    }
    if (request.install != ReferenceTemperature && !WithinLimits(limits, request.install)) {
        return "安装温度超过范围: " + IntegerToText(request.install) + " 摄氏度不在 " +
               RangeText(limits) + "之内";
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
    const auto perMetre = growth(1000.0f);
    if (!expansion || !perMetre) return std::string("计算结果超出范围");
    const auto finalLength =
        RoundToSingle(static_cast<double>(request.length) + static_cast<double>(*expansion));
    if (!finalLength) return std::string("计算结果超出范围");
    return Result{*at, atInstall, *expansion, *perMetre, *finalLength};
}

}  // namespace velmarith::tool
