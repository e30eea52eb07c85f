#include "engineering/Request.h"

#include <cmath>
#include <limits>

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

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

std::string CelsiusText(double celsius) { return DoubleToShortText(celsius); }

std::string RangeText(const MaterialLimits& limits, Units units) {
    std::string si = IntegerToText(limits.Low) + " ~ " + IntegerToText(limits.High) + " 摄氏度";
    if (units == Units::Si) return si;
    return CelsiusText(CelsiusToFahrenheit(limits.Low)) + " ~ " +
           CelsiusText(CelsiusToFahrenheit(limits.High)) + "°F (" + si + ")";
}

std::string WholeDegreesIn(const MaterialLimits& limits, Units units) {
    if (units == Units::Us) return " (应为华氏度数, 该材料为 " + RangeText(limits, units) + ")";
    return " (应为整摄氏度数, 该材料为 " + RangeText(limits, units) + ")";
}

// A temperature in the request's units: whole degrees Celsius, or any degrees Fahrenheit
// above absolute zero.
std::optional<double> ParseTemperature(std::string_view text, Units units) {
    if (units == Units::Si) {
        const auto t = TextToInteger(text);
        return t ? std::optional<double>(*t) : std::nullopt;
    }
    const auto t = TextToDouble(text);
    if (!t || *t < kAbsoluteZeroFahrenheit) return std::nullopt;
    return t;
}

bool Within(const MaterialLimits& limits, double celsius) {
    return celsius >= limits.Low && celsius <= limits.High;
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

std::string TemperatureText(const Request& request, double temperature) {
    if (request.units == Units::Si) return IntegerToText(static_cast<std::int16_t>(temperature));
    return DoubleToText(temperature) + "°F (" + CelsiusText(request.Celsius(temperature)) +
           " 摄氏度)";
}

std::variant<Request, std::string> ParseRequest(const RequestText& text) {
    Request request;
    request.units = text.units;
    const Units units = text.units;
    const auto k = ParseMaterial(text.material);
    if (!k) return "未知材料: " + Quoted(text.material) + " (应为 0 至 7 或材料名称)";
    request.material = *k;
    const MaterialLimits& limits = MaterialLimitsTable[request.material];
    const std::string belowZero =
        units == Units::Us ? ", 不得低于绝对零度 -459.67°F" : std::string();

    const auto t = ParseTemperature(text.temperature, units);
    if (!t)
        return "温度无效: " + Quoted(text.temperature) + WholeDegreesIn(limits, units) + belowZero;
    request.temperature = *t;
    const auto l = TextToSingle(text.length);
    if (!l) {
        return "长度无效: " + Quoted(text.length) + " (应为单精度范围内的数" +
               (units == Units::Us ? ", 单位 in)" : ")");
    }
    request.length = *l;
    if (units == Units::Us && std::fabs(request.LengthMm()) > std::numeric_limits<float>::max()) {
        return "长度超出范围: " + Quoted(text.length) + " in 换算为 mm 后超出单精度范围";
    }
    const std::string defaultInstall = units == Units::Si ? "20 摄氏度" : "68°F (20 摄氏度)";
    if (units == Units::Us) request.install = CelsiusToFahrenheit(ReferenceTemperature);
    if (text.install) {
        const auto t1 = ParseTemperature(*text.install, units);
        if (!t1) {
            return "安装温度无效: " + Quoted(*text.install) + " (应为 " + defaultInstall + "或 " +
                   RangeText(limits, units) + "之内的" +
                   (units == Units::Si ? "整摄氏度数)" : "华氏度数)");
        }
        request.install = *t1;
    }
    if (text.cold) {
        const auto tc = ParseTemperature(*text.cold, units);
        if (!tc)
            return "冷态温度无效: " + Quoted(*text.cold) + WholeDegreesIn(limits, units) +
                   belowZero;
        request.cold = *tc;
    }

    if (!Within(limits, request.Celsius(request.temperature))) {
        return "温度超过范围: " + TemperatureText(request, request.temperature) +
               (units == Units::Si ? " 摄氏度" : "") + "不在 " + RangeText(limits, units) + "之内";
    }
    if (!request.DefaultInstall() && !Within(limits, request.Celsius(request.install))) {
        return "安装温度超过范围: " + TemperatureText(request, request.install) +
               (units == Units::Si ? " 摄氏度" : "") + " (安装温度应为 " + defaultInstall +
               ", 或在该材料的 " + RangeText(limits, units) + "之内)";
    }
    if (request.cold) {
        if (!Within(limits, request.Celsius(*request.cold))) {
            return "冷态温度超过范围: " + TemperatureText(request, *request.cold) +
                   (units == Units::Si ? " 摄氏度" : "") + "不在 " + RangeText(limits, units) +
                   "之内";
        }
        if (*request.cold > request.temperature) {
            const std::string unit = units == Units::Si ? " 摄氏度" : "";
            return "冷态温度 " + TemperatureText(request, *request.cold) + unit + "高于温度 " +
                   TemperatureText(request, request.temperature) + unit +
                   ": --temperature 为最热状态, --cold 为最冷状态";
        }
    }
    return request;
}

}  // namespace velmarith::engineering
