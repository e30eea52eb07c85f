#include "engineering/Evaluation.h"

#include <utility>
#include <variant>

#include "calc/Expansion.h"
#include "runtime/NumberText.h"
#include "texts/Texts.h"

namespace velmarith::engineering {
namespace {

std::string UsCoefficient(const CoefficientHit& hit) {
    return SingleToText(hit.coefficient) + " (10^-6/摄氏度), " + SingleToText(PerFahrenheit(hit)) +
           " (10^-6/°F)";
}

// The window's coefficient line for a whole temperature in °C.
std::string WindowCoefficientLine(double celsius, const CoefficientHit& hit) {
    auto line = CoefficientLineText(static_cast<std::int16_t>(celsius), hit.valueText);
    line += texts::CoefficientUnit;
    return line.Str();
}

ResultLines LinesOf(const Request& request, const Result& result) {
    ResultLines lines;
    const bool si = request.units == Units::Si;
    if (si) {
        lines.coefficient = WindowCoefficientLine(request.temperature, result.coefficient);
        lines.expansion = ResultLineText(result.expansion).Str();
    } else {
        lines.coefficient = "  " + TemperatureText(request, request.temperature) +
                            "时材料的平均线膨胀系数为:  " + UsCoefficient(result.coefficient);
        lines.expansion = std::string(texts::ExpansionLead) + SingleToText(result.expansion) + "in";
    }
    if (!request.DefaultInstall()) {
        const auto& hit = result.installCoefficient;
        // At the reference temperature outside the range the term is zero: no coefficient.
        const std::string value = !hit ? "无需 (参考温度, 该项为 0)"
                                  : si ? hit->valueText + std::string(texts::CoefficientUnit)
                                       : UsCoefficient(*hit);
        lines.install = "  " + TemperatureText(request, request.install) +
                        (si ? "摄氏度(安装温度)时材料的膨胀系数为:  "
                            : "(安装温度)时材料的平均线膨胀系数为:  ") +
                        value;
    }
    return lines;
}

// The pipe's inputs a figure that does not fit comes from: " (外径 D = 1e200, …)".
std::string PipeInputsText(const RequestText& text) {
    std::string named;
    for (const auto& row : Inputs()) {
        if (row.group == InputGroup::Calculation || !text.Has(row.field)) continue;
        const auto unit = UnitName(row.quantity, text.UnitSystem());
        named += (named.empty() ? " (来自 " : ", ") + std::string(row.label) + " " +
                 std::string(row.symbol) + " = " + *text[row.field] +
                 (unit.empty() ? "" : " " + std::string(unit));
    }
    return named.empty() ? named : named + ")";
}

}  // namespace

float PerFahrenheit(const CoefficientHit& hit) {
    // A single divided by 1.8 always fits a single.
    return RoundToSingle(static_cast<double>(hit.coefficient) / 1.8).value_or(0.0f);
}

std::vector<std::string> ResultLines::Printed() const {
    std::vector<std::string> printed{coefficient};
    if (install) printed.push_back(*install);
    printed.insert(printed.end(), 3, std::string());
    printed.push_back(expansion);
    return printed;
}

std::string Evaluation::Refusal() const {
    if (faults.empty()) return failure;
    return faults.front().message + faults.front().commandLineHint;
}

Evaluation Evaluate(const Catalogue& catalogue, const RequestText& text,
                    const CoefficientCache* cache, Detail detail) {
    Evaluation evaluation;
    auto checked = CheckRequest(catalogue, text);
    if (auto* faults = std::get_if<std::vector<RequestFault>>(&checked)) {
        evaluation.faults = std::move(*faults);
        return evaluation;
    }
    const Request& request = evaluation.request.emplace(std::move(std::get<Request>(checked)));
    auto calculated = Calculate(catalogue, request, cache);
    if (auto* failure = std::get_if<std::string>(&calculated)) {
        evaluation.failure = std::move(*failure) +
                             " (来自 长度 L = " + std::string(text.Text(RequestField::Length)) +
                             ")";
        return evaluation;
    }
    const Result& result = evaluation.result.emplace(std::move(std::get<Result>(calculated)));
    if (request.pipe) {
        evaluation.compensation = Compensate(catalogue, request, *request.pipe, result);
        if (!evaluation.compensation) {
            evaluation.result.reset();
            evaluation.failure = "补偿计算结果超出范围" + PipeInputsText(text);
            return evaluation;
        }
        if (request.line) {
            evaluation.line = DesignLine(request, result, *evaluation.compensation);
            if (!evaluation.line) {
                evaluation.result.reset();
                evaluation.compensation.reset();
                evaluation.failure = "管线布置与伸缩节的计算结果超出范围" + PipeInputsText(text);
                return evaluation;
            }
        }
    }
    if (detail == Detail::Full) {
        evaluation.lines = LinesOf(request, result);
        evaluation.explanation = Explain(catalogue, text, request, result);
    }
    return evaluation;
}

}  // namespace velmarith::engineering
