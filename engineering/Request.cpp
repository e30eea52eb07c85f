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

std::string WholeDegreesIn(const std::string& range, Units units) {
    if (units == Units::Us) return " (应为华氏度数, 该材料为 " + range + ")";
    return " (应为整摄氏度数, 该材料为 " + range + ")";
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

std::string RangeText(const Catalogue& catalogue, int material, Units units) {
    const double low = catalogue.Low(material);
    const double high = catalogue.High(material);
    std::string si = DoubleToText(low) + " ~ " + DoubleToText(high) + " 摄氏度";
    if (units == Units::Si) return si;
    return CelsiusText(CelsiusToFahrenheit(low)) + " ~ " + CelsiusText(CelsiusToFahrenheit(high)) +
           "°F (" + si + ")";
}

std::string TemperatureText(const Request& request, double temperature) {
    if (request.units == Units::Si) return IntegerToText(static_cast<std::int16_t>(temperature));
    return DoubleToText(temperature) + "°F (" + CelsiusText(request.Celsius(temperature)) +
           " 摄氏度)";
}

std::variant<Request, std::vector<RequestFault>> CheckRequest(const Catalogue& catalogue,
                                                              const RequestText& text) {
    Request request;
    request.units = text.units;
    const Units units = text.units;
    std::vector<RequestFault> faults;
    const auto fault = [&](RequestField field, std::string message, std::string hint = {}) {
        faults.push_back({field, std::move(message), std::move(hint)});
    };

    // The length needs no material; everything else is checked against the material's range.
    const auto checkLength = [&] {
        const auto l = TextToSingle(text.length);
        if (!l) {
            fault(RequestField::Length, "长度无效: " + Quoted(text.length) +
                                            " (应为单精度范围内的数" +
                                            (units == Units::Us ? ", 单位 in)" : ")"));
            return;
        }
        request.length = *l;
        if (units == Units::Us &&
            std::fabs(request.LengthMm()) > std::numeric_limits<float>::max()) {
            fault(RequestField::Length,
                  "长度超出范围: " + Quoted(text.length) + " in 换算为 mm 后超出单精度范围");
        }
    };
    const auto k = catalogue.Find(text.material);
    if (!k) {
        fault(RequestField::Material,
              "未知材料: " + Quoted(text.material) +
                  std::string(catalogue.UserMaterials().empty() ? " (应为 0 至 7 或材料名称)"
                                                                : kUnknownMaterialHint));
        checkLength();
        return faults;
    }
    request.material = *k;
    const int m = *k;
    const std::string range = RangeText(catalogue, m, units);
    const auto Within = [&](double celsius) { return catalogue.Within(m, celsius); };
    const std::string belowZero =
        units == Units::Us ? ", 不得低于绝对零度 -459.67°F" : std::string();

    const auto t = ParseTemperature(text.temperature, units);
    if (t) {
        request.temperature = *t;
    } else {
        fault(RequestField::Temperature,
              "温度无效: " + Quoted(text.temperature) + WholeDegreesIn(range, units) + belowZero);
    }
    checkLength();
    const std::string defaultInstall = units == Units::Si ? "20 摄氏度" : "68°F (20 摄氏度)";
    if (units == Units::Us) request.install = CelsiusToFahrenheit(ReferenceTemperature);
    bool installRead = true;
    if (text.install) {
        const auto t1 = ParseTemperature(*text.install, units);
        if (t1) {
            request.install = *t1;
        } else {
            installRead = false;
            fault(RequestField::Install, "安装温度无效: " + Quoted(*text.install) + " (应为 " +
                                             defaultInstall + "或 " + range + "之内的" +
                                             (units == Units::Si ? "整摄氏度数)" : "华氏度数)"));
        }
    }
    if (text.cold) {
        const auto tc = ParseTemperature(*text.cold, units);
        if (tc) {
            request.cold = *tc;
        } else {
            fault(RequestField::Cold,
                  "冷态温度无效: " + Quoted(*text.cold) + WholeDegreesIn(range, units) + belowZero);
        }
    }

    const std::string degrees = units == Units::Si ? " 摄氏度" : "";
    const bool warmWithin = t && Within(request.Celsius(request.temperature));
    if (t && !warmWithin) {
        fault(RequestField::Temperature,
              "温度超过范围: " + TemperatureText(request, request.temperature) + degrees + "不在 " +
                  range + "之内");
    }
    // 20 °C is always allowed as the installation temperature where the table counts from
    // it: its term is zero. A table with another reference needs its coefficient there.
    const bool installFree =
        request.DefaultInstall() && catalogue.Reference(m) == ReferenceTemperature;
    if (installRead && !installFree && !Within(request.Celsius(request.install))) {
        fault(RequestField::Install,
              "安装温度超过范围: " + TemperatureText(request, request.install) + degrees +
                  " (安装温度应为 " + defaultInstall + ", 或在该材料的 " + range + "之内)");
    }
    if (request.cold) {
        if (!Within(request.Celsius(*request.cold))) {
            fault(RequestField::Cold,
                  "冷态温度超过范围: " + TemperatureText(request, *request.cold) + degrees +
                      "不在 " + range + "之内");
        } else if (t && *request.cold > request.temperature) {
            fault(RequestField::Cold,
                  "冷态温度 " + TemperatureText(request, *request.cold) + degrees + "高于温度 " +
                      TemperatureText(request, request.temperature) + degrees,
                  ": --temperature 为最热状态, --cold 为最冷状态");
        }
    }
    if (!faults.empty()) return faults;
    return request;
}

std::variant<Request, std::string> ParseRequest(const Catalogue& catalogue,
                                                const RequestText& text) {
    auto checked = CheckRequest(catalogue, text);
    if (auto* request = std::get_if<Request>(&checked)) return *request;
    const RequestFault& first = std::get<std::vector<RequestFault>>(checked).front();
    return first.message + first.commandLineHint;
}

}  // namespace velmarith::engineering
