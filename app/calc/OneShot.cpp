#include "app/calc/OneShot.h"

#include <variant>
#include <vector>

#include "app/calc/WindowLines.h"
#include "calc/Expansion.h"
#include "engineering/Report.h"
#include "runtime/NumberText.h"
#include "texts/Texts.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

OneShotOutcome Failure(std::string message) { return {{}, std::move(message), 1}; }

std::string CoefficientValue(const Request& request, const CoefficientHit& hit) {
    if (request.units == Units::Si) return hit.valueText + std::string(texts::CoefficientUnit);
    const auto perFahrenheit = RoundToSingle(static_cast<double>(hit.coefficient) / 1.8);
    return SingleToText(hit.coefficient) + " (10^-6/摄氏度), " +
           SingleToText(perFahrenheit.value_or(0.0f)) + " (10^-6/°F)";
}

std::string TemperatureLead(const Request& request, double temperature) {
    return "  " + TemperatureText(request, temperature);
}

}  // namespace

OneShotOutcome OneShotLines(const Catalogue& catalogue, const OneShotOptions& options) {
    RequestText text;
    text.material = options.material;
    text.temperature = options.temperature;
    text.length = options.length;
    if (options.install) text.install = *options.install;
    if (options.cold) text.cold = *options.cold;
    text.units = options.units;
    auto parsed = ParseRequest(catalogue, text);
    if (auto* message = std::get_if<std::string>(&parsed)) return Failure(*message);
    const Request& request = std::get<Request>(parsed);

    auto calculated = Calculate(CoefficientCache(catalogue), request);
    if (auto* message = std::get_if<std::string>(&calculated)) return Failure(*message);
    const Result& result = std::get<Result>(calculated);

    std::vector<std::string> lines;
    if (options.explain) lines = ExplainLines(catalogue, request, result);

    const std::string unit(LengthUnit(request.units));
    if (request.units == Units::Si && request.DefaultInstall() &&
        Catalogue::IsBuiltIn(request.material)) {
        const auto window =
            OutputButtonLines(request.material, options.temperature, options.length);
        if (!window) return Failure("温度超过范围");
        // The window's result line can only be "计算结果超出范围!" where ours failed above.
        lines.insert(lines.end(), window->begin(), window->end());
    } else {
        const std::string middle = request.units == Units::Si
                                       ? std::string(texts::CoefficientMiddle)
                                       : "时材料的平均线膨胀系数为:  ";
        lines.push_back(TemperatureLead(request, request.temperature) + middle +
                        CoefficientValue(request, result.coefficient));
        if (!request.DefaultInstall()) {
            lines.push_back(TemperatureLead(request, request.install) +
                            (request.units == Units::Si ? "摄氏度(安装温度)" : "(安装温度)") +
                            (request.units == Units::Si ? "时材料的膨胀系数为:  "
                                                        : "时材料的平均线膨胀系数为:  ") +
                            CoefficientValue(request, *result.installCoefficient));
        }
        lines.insert(lines.end(), 3, std::string());
        lines.push_back(std::string(texts::ExpansionLead) + SingleToText(result.expansion) + unit);
    }
    int status = 0;
    const auto figure = [&](std::string_view lead, const std::optional<float>& value,
                            std::string_view figureUnit) {
        if (value) {
            lines.push_back(std::string(lead) + SingleToText(*value) + std::string(figureUnit));
            return;
        }
        lines.push_back(std::string(lead) + std::string(kFigureOverflow));
        status = 1;
    };
    if (options.rate) {
        figure(request.units == Units::Si ? kRateLeadSi : kRateLeadUs, result.rate,
               RateUnit(request.units));
    }
    if (options.finalLength) figure(kFinalLengthLead, result.finalLength, unit);
    if (request.cold) {
        figure(kColdExpansionLead, result.coldExpansion, unit);
        figure(kMovementLead, result.movement, unit);
    }
    return {std::move(lines), status != 0 ? "有结果超出单精度范围, 见上" : "", status};
}

int RunOneShot(const Catalogue& catalogue, const OneShotOptions& options, std::FILE* out,
               std::FILE* err) {
    const OneShotOutcome outcome = OneShotLines(catalogue, options);
    for (const auto& line : outcome.lines) std::fprintf(out, "%s\n", line.c_str());
    if (!outcome.error.empty()) std::fprintf(err, "velmarith-calc: %s\n", outcome.error.c_str());
    return outcome.status;
}

}  // namespace velmarith::tool
