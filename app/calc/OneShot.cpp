#include "app/calc/OneShot.h"

#include <variant>
#include <vector>

#include "app/calc/Engineering.h"
#include "app/calc/Report.h"
#include "app/calc/WindowLines.h"
#include "calc/Expansion.h"
#include "runtime/NumberText.h"
#include "texts/Texts.h"

namespace velmarith::tool {
namespace {

int Failure(std::FILE* err, const std::string& message) {
    std::fprintf(err, "velmarith-calc: %s\n", message.c_str());
    return 1;
}

}  // namespace

int RunOneShot(const OneShotOptions& options, std::FILE* out, std::FILE* err) {
    auto parsed =
        ParseRequest(options.material, options.temperature, options.length, options.install);
    if (auto* message = std::get_if<std::string>(&parsed)) return Failure(err, *message);
    const Request& request = std::get<Request>(parsed);

    MaterialTables tables;
    BuildMaterialTables(tables);
    auto calculated = Calculate(CoefficientCache(tables), request);
    if (auto* message = std::get_if<std::string>(&calculated)) return Failure(err, *message);
    const Result& result = std::get<Result>(calculated);

    std::vector<std::string> lines;
    if (options.explain) lines = ExplainLines(tables, request, result);

    if (request.install == ReferenceTemperature) {
        const auto window =
            OutputButtonLines(request.material, options.temperature, options.length);
        if (!window) return Failure(err, "温度超过范围");
        // The window's result line can only be "计算结果超出范围!" where ours failed above.
        lines.insert(lines.end(), window->begin(), window->end());
    } else {
        const std::string unit(texts::CoefficientUnit);
        lines.push_back(
            CoefficientLineText(request.temperature, result.coefficient.valueText).Str() + unit);
        lines.push_back(
            "  " + IntegerToText(request.install) +
            "摄氏度(安装温度)时材料的膨胀系数为:  " + result.installCoefficient->valueText + unit);
        lines.insert(lines.end(), 3, std::string());
        lines.push_back(ResultLineText(result.expansion).Str());
    }
    int status = 0;
    const auto figure = [&](std::string lead, const std::optional<float>& value, const char* unit) {
        if (value) {
            lines.push_back(std::move(lead) + SingleToText(*value) + unit);
            return;
        }
        lines.push_back(std::move(lead) + "超出单精度范围");
        status = 1;
    };
    if (options.rate) figure("  每米膨胀量为: ", result.millimetresPerMetre, "mm/m");
    if (options.finalLength) figure("  膨胀后长度为: ", result.finalLength, "mm");
    for (const auto& line : lines) std::fprintf(out, "%s\n", line.c_str());
    if (status != 0) Failure(err, "有结果超出单精度范围, 见上");
    return status;
}

}  // namespace velmarith::tool
