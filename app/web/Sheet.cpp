#include "app/web/Sheet.h"

#include <algorithm>

#include "app/shared/CompensationText.h"
#include "app/shared/ExplanationText.h"
#include "app/shared/LineDesignText.h"
#include "app/shared/PipeSketch.h"
#include "app/shared/PlotSvg.h"
#include "app/shared/ResultText.h"
#include "engineering/Evaluation.h"
#include "engineering/Report.h"
#include "runtime/NumberText.h"

namespace velmarith::web {
namespace {

using namespace engineering;

constexpr std::string_view kFaultNotice = "输入有误, 改正后显示结果";

// A line's label without its indent and colon: "  每米膨胀量为: " is 每米膨胀量.
std::string Label(std::string_view lead) {
    lead.remove_prefix(2);
    lead.remove_suffix(std::string_view("为: ").size());
    return std::string(lead);
}

// The table with the chosen material's row and the points every lookup of the request used
// (the warmest temperature, the installation, the cold state).
SheetTable Table(const Catalogue& catalogue, std::optional<int> material,
                 const std::vector<CoefficientHit>& hits) {
    const CoefficientTableView view = TableOf(catalogue, std::nullopt);
    SheetTable table;
    table.header = {"材料", "适用温度(摄氏度)"};
    for (const auto t : view.grid) table.header.push_back(IntegerToText(t));
    using Kind = SheetTable::Row::Kind;
    bool titled = false;
    for (const auto& row : view.rows) {
        if (row.reference && !titled) {
            table.rows.push_back(
                {Kind::Heading,
                 {"自定义材料 (温度:系数, 系数为参考温度至该温度之间的平均线膨胀系数):"}});
            // Their points are their own, not the grid's: headings of their own.
            SheetTable::Row columns{Kind::Columns, {"材料", "适用温度(摄氏度)", "参考温度"}};
            std::size_t most = 0;
            for (const auto& user : view.rows) {
                if (user.reference) most = std::max(most, user.points.size());
            }
            for (std::size_t i = 1; i <= most; ++i) {
                columns.cells.push_back("表点 " + std::to_string(i) + " (温度:系数)");
            }
            table.rows.push_back(std::move(columns));
            titled = true;
        }
        SheetTable::Row cells{Kind::Material,
                              {std::to_string(row.id) + " " + row.name,
                               DoubleToText(row.low) + " ~ " + DoubleToText(row.high)}};
        if (row.reference) cells.cells.push_back("参考温度 " + DoubleToText(*row.reference));
        for (const auto& point : row.points) {
            cells.cells.push_back(row.reference ? DoubleToText(point.temperature) + ":" + point.text
                                                : point.text);
        }
        if (material && row.id == *material) {
            table.row = static_cast<int>(table.rows.size());
            // The points come after the name, the range and (the user's) the reference.
            const int first = static_cast<int>(cells.cells.size() - row.points.size());
            for (const auto& hit : hits) {
                table.cells.push_back(first + hit.gridIndex);
                if (!hit.exact) table.cells.push_back(first + hit.gridIndex + 1);
            }
            std::sort(table.cells.begin(), table.cells.end());
            table.cells.erase(std::unique(table.cells.begin(), table.cells.end()),
                              table.cells.end());
        }
        table.rows.push_back(std::move(cells));
    }
    table.notes = {"系数单位: 10^-6 mm/mm.C, 为 20 摄氏度至该温度之间的平均线膨胀系数",
                   "-: 无数据"};
    return table;
}

// The coefficient as a figure with its full unit, per °C and in US units also per °F.
std::string AlphaText(const Request& request, const CoefficientHit& hit) {
    const std::string perCelsius =
        "α = " + (request.units == Units::Si ? hit.valueText : SingleToText(hit.coefficient)) +
        " × 10⁻⁶ /°C";
    if (request.units == Units::Si) return perCelsius;
    return perCelsius + " = " + SingleToText(PerFahrenheit(hit)) + " × 10⁻⁶ /°F";
}

// Why no figure is shown yet, when the form is not complete or not right.
std::string Notice(const Sheet& sheet, const RequestText& form) {
    if (!sheet.faults.empty()) return std::string(kFaultNotice);
    const bool temperature = form.Has(RequestField::Temperature);
    const bool length = form.Has(RequestField::Length);
    if (!form.Has(RequestField::Material)) return "请选择材料";
    if (!temperature && !length) return "请输入温度和长度";
    if (!temperature) return "请输入温度";
    if (!length) return "请输入长度";
    return {};
}

}  // namespace

Sheet MakeSheet(const Catalogue& catalogue, const RequestText& form) {
    Sheet sheet;
    const Units units = form.UnitSystem();
    sheet.rateLabel = Label(units == Units::Si ? kRateLeadSi : kRateLeadUs);
    sheet.defaultInstall = CelsiusInUnits(ReferenceTemperature, units);
    Evaluation evaluation = Evaluate(catalogue, form);
    // What is not typed yet is not wrong yet.
    sheet.faults = std::move(evaluation.faults);
    std::erase_if(sheet.faults, [&](const RequestFault& fault) {
        return (fault.field == RequestField::Temperature && !form.Has(RequestField::Temperature)) ||
               (fault.field == RequestField::Length && !form.Has(RequestField::Length)) ||
               (fault.field == RequestField::Material && !form.Has(RequestField::Material));
    });
    if (evaluation.request) sheet.warnings = evaluation.request->warnings;
    if (evaluation.request && !evaluation.result && form.Has(RequestField::Length)) {
        // The request is sound but its growth does not fit a single: the length is too long.
        sheet.faults.push_back({RequestField::Length, "长度过大: " + evaluation.failure});
    }
    if (evaluation.request && !evaluation.request->HasPositiveLength()) {
        sheet.faults.push_back(
            {RequestField::Length,
             std::string(kLengthNotPositive) + ": 每米膨胀量与膨胀后长度需要管道的长度"});
    }

    const auto material = catalogue.Find(form.Text(RequestField::Material));
    tool::PlotRequest plot;
    plot.units = units;
    sheet.notice = Notice(sheet, form);
    if (!sheet.notice.empty()) {
        if (material) {
            plot.material = *material;
            sheet.plot = tool::PlotSvg(catalogue, plot);
        }
        sheet.table = Table(catalogue, material, {});
        return sheet;
    }

    const Request& request = *evaluation.request;
    const Result& result = *evaluation.result;
    sheet.coefficientLine = evaluation.lines.coefficient;
    sheet.installLine = evaluation.lines.install.value_or("");
    sheet.expansionLine = evaluation.lines.expansion;
    const std::string_view unit = LengthUnit(request.units);
    sheet.alpha = AlphaText(request, result.coefficient);
    const auto number = [&](const char* id, const std::optional<float>& value) {
        if (value) sheet.numbers.emplace_back(id, SingleToText(*value));
    };
    number("rate", result.rate);
    number("finalLength", result.finalLength);
    if (request.cold) {
        number("coldExpansion", result.coldExpansion);
        number("movement", result.movement);
    }
    for (const auto& rounding : evaluation.explanation.roundings) {
        sheet.roundings.emplace_back(rounding.field, tool::RoundingNote(rounding));
    }
    sheet.rate = tool::FigureText(result.rate, RateUnit(request.units));
    sheet.finalLength = tool::FigureText(result.finalLength, unit);
    if (request.cold) {
        sheet.coldExpansion = tool::FigureText(result.coldExpansion, unit);
        sheet.movement = tool::FigureText(result.movement, unit);
    }
    sheet.explain = tool::ExplainLines(catalogue, request, evaluation.explanation);
    if (evaluation.compensation) {
        const Compensation& figures = *evaluation.compensation;
        for (auto& line : tool::CompensationWorking(catalogue, request, result, figures)) {
            sheet.explain.push_back(std::move(line));
        }
        sheet.compensation = tool::CompensationLines(request, figures);
        if (evaluation.line) {
            for (auto& line : tool::LineDesignWorking(request, result, figures, *evaluation.line)) {
                sheet.explain.push_back(std::move(line));
            }
            for (auto& line : tool::LineDesignLines(request, figures, *evaluation.line)) {
                sheet.compensation.push_back(std::move(line));
            }
        }
        sheet.sketch = tool::PipeSketchSvg(request, figures);
    }

    plot.material = request.material;
    plot.temperature = request.Celsius(request.temperature);
    plot.lengthMm = request.LengthMm();
    plot.installCelsius = request.Celsius(request.install);
    if (request.cold) plot.coldCelsius = request.Celsius(*request.cold);
    sheet.plot = tool::PlotSvg(catalogue, plot);
    std::vector<CoefficientHit> hits = {result.coefficient};
    // The installation's lookup counts where the working uses it.
    if (!request.DefaultInstall() ||
        catalogue.Reference(request.material) != ReferenceTemperature) {
        if (result.installCoefficient) hits.push_back(*result.installCoefficient);
    }
    if (result.coldCoefficient) hits.push_back(*result.coldCoefficient);
    sheet.table = Table(catalogue, request.material, hits);
    return sheet;
}

}  // namespace velmarith::web
