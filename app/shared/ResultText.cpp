#include "app/shared/ResultText.h"

#include "app/shared/CompensationText.h"
#include "app/shared/ExplanationText.h"
#include "app/shared/LineDesignText.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

std::string FigureText(const std::optional<float>& value, std::string_view unit) {
    if (!value) return std::string(kFigureOverflow);
    return SingleToText(*value) + std::string(unit);
}

std::string MaterialText(const Catalogue& catalogue, const Request& request) {
    const std::string& name = catalogue.Name(request.material);
    return request.grade.empty() ? name : request.grade + ", 按 " + name;
}

std::string RoundingText(const RoundingStep& rounding) {
    return std::string(Row(rounding.field).label) + " " + RoundingNote(rounding);
}

ResultText RenderText(const Catalogue& catalogue, const Evaluation& evaluation,
                      const OutputOptions& options) {
    if (!evaluation.Sound()) return {{}, evaluation.Refusal(), 1, {}};
    const Request& request = *evaluation.request;
    const Result& result = *evaluation.result;

    ResultText text;
    for (const auto& rounding : evaluation.explanation.roundings) {
        text.notes.push_back(RoundingText(rounding));
    }
    for (const auto& warning : request.warnings) text.notes.push_back(warning.message);
    if (options.explain) {
        text.lines = ExplainLines(catalogue, request, evaluation.explanation);
        if (evaluation.compensation) {
            for (auto& line :
                 CompensationWorking(catalogue, request, result, *evaluation.compensation)) {
                text.lines.push_back(std::move(line));
            }
        }
        if (evaluation.line) {
            for (auto& line :
                 LineDesignWorking(request, result, *evaluation.compensation, *evaluation.line)) {
                text.lines.push_back(std::move(line));
            }
        }
    }
    if (!request.grade.empty()) {
        text.lines.push_back(std::string(kMaterialLead) + MaterialText(catalogue, request));
    }
    for (auto& line : evaluation.lines.Printed()) text.lines.push_back(std::move(line));

    bool overflow = false;
    bool needsLength = false;
    const std::string unit(LengthUnit(request.units));
    const auto figure = [&](std::string_view lead, const std::optional<float>& value,
                            std::string_view figureUnit, bool lengthPositive = true) {
        std::string line(lead);
        if (!lengthPositive) {
            line += kNeedsPositiveLength;
            needsLength = true;
        } else {
            line += FigureText(value, figureUnit);
            overflow |= !value;
        }
        text.lines.push_back(std::move(line));
    };
    const bool positive = request.HasPositiveLength();
    if (options.rate) {
        figure(request.units == Units::Si ? kRateLeadSi : kRateLeadUs, result.rate,
               RateUnit(request.units), positive);
    }
    if (options.finalLength) figure(kFinalLengthLead, result.finalLength, unit, positive);
    if (request.cold) {
        figure(kColdExpansionLead, result.coldExpansion, unit);
        figure(kMovementLead, result.movement, unit);
    }
    if (evaluation.compensation) {
        for (auto& line : CompensationLines(request, *evaluation.compensation)) {
            text.lines.push_back(std::move(line));
        }
    }
    if (evaluation.line) {
        for (auto& line : LineDesignLines(request, *evaluation.compensation, *evaluation.line)) {
            text.lines.push_back(std::move(line));
        }
    }
    if (overflow) {
        text.error = "有结果超出单精度范围, 见上";
    } else if (needsLength) {
        text.error = "--rate 与 --final 需要正的长度 (长度为 " + SingleToText(request.length) +
                     " " + unit + ")";
    }
    text.status = text.error.empty() ? 0 : 1;
    return text;
}

}  // namespace velmarith::tool
