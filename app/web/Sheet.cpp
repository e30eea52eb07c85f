#include "app/web/Sheet.h"

#include <string_view>
#include <variant>

#include "app/calc/OneShot.h"
#include "engineering/Plot.h"
#include "engineering/Report.h"
#include "texts/Texts.h"

namespace velmarith::web {
namespace {

using namespace engineering;

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t at = line.find('\t'); at != std::string::npos; at = line.find('\t', start)) {
        cells.push_back(line.substr(start, at - start));
        start = at + 1;
    }
    cells.push_back(line.substr(start));
    return cells;
}

SheetTable Table(const Catalogue& catalogue, std::optional<int> material,
                 const std::optional<CoefficientHit>& hit) {
    SheetTable table;
    for (const auto& line : TableLines(catalogue, std::nullopt)) table.rows.push_back(Cells(line));
    if (!material) return table;
    const std::string lead = std::to_string(*material) + " ";
    for (std::size_t r = 1; r < table.rows.size(); ++r) {
        if (table.rows[r].size() > 2 && table.rows[r][0].starts_with(lead)) {
            table.row = static_cast<int>(r);
            break;
        }
    }
    if (table.row < 0 || !hit) return table;
    // The eight: material, range, then one cell a grid point. The user's: material, range,
    // reference temperature, then one cell a point.
    const int first = Catalogue::IsBuiltIn(*material) ? 2 : 3;
    table.cells.push_back(first + hit->gridIndex);
    if (!hit->exact) table.cells.push_back(first + hit->gridIndex + 1);
    return table;
}

// The text after a line's label, when the line has that label.
bool After(const std::string& line, std::string_view lead, std::string& figure) {
    if (!line.starts_with(lead)) return false;
    figure = line.substr(lead.size());
    return true;
}

void TakeLines(const std::vector<std::string>& lines, Sheet& sheet) {
    using namespace tool;
    std::size_t i = 0;
    if (i < lines.size()) sheet.coefficientLine = lines[i++];
    if (i < lines.size() && !lines[i].empty()) sheet.installLine = lines[i++];
    for (; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        if (line.starts_with(texts::ExpansionLead)) {
            sheet.expansionLine = line;
            continue;
        }
        After(line, kRateLeadSi, sheet.rate) || After(line, kRateLeadUs, sheet.rate) ||
            After(line, kFinalLengthLead, sheet.finalLength) ||
            After(line, kColdExpansionLead, sheet.coldExpansion) ||
            After(line, kMovementLead, sheet.movement);
    }
}

}  // namespace

Sheet MakeSheet(const Catalogue& catalogue, const SheetInput& input) {
    Sheet sheet;
    const auto material = catalogue.Find(input.material);
    RequestText text;
    text.material = input.material;
    text.temperature = input.temperature;
    text.length = input.length;
    if (!input.install.empty()) text.install = input.install;
    if (!input.cold.empty()) text.cold = input.cold;
    text.units = input.units;

    const CoefficientCache coefficients(catalogue);
    PlotRequest plot;
    plot.units = input.units;
    const auto materialOnly = [&] {
        if (material) {
            plot.material = *material;
            sheet.plot = PlotSvg(coefficients, plot);
        }
        sheet.table = Table(catalogue, material, std::nullopt);
    };

    auto checked = CheckRequest(catalogue, text);
    if (auto* faults = std::get_if<std::vector<RequestFault>>(&checked)) {
        // What is not typed yet is not wrong yet.
        std::erase_if(*faults, [&](const RequestFault& fault) {
            return (fault.field == RequestField::Temperature && input.temperature.empty()) ||
                   (fault.field == RequestField::Length && input.length.empty());
        });
        sheet.faults = std::move(*faults);
    }
    if (!sheet.faults.empty() || input.temperature.empty() || input.length.empty()) {
        if (!sheet.faults.empty()) {
            sheet.notice = "输入有误, 改正后显示结果";
        } else if (input.temperature.empty() && input.length.empty()) {
            sheet.notice = "请输入温度和长度";
        } else {
            sheet.notice = input.temperature.empty() ? "请输入温度" : "请输入长度";
        }
        materialOnly();
        return sheet;
    }
    const Request& request = std::get<Request>(checked);

    tool::OneShotOptions options;
    options.material = input.material;
    options.temperature = input.temperature;
    options.length = input.length;
    if (text.install) options.install = input.install;
    if (text.cold) options.cold = input.cold;
    options.units = input.units;
    options.rate = true;
    options.finalLength = true;
    const auto figures = tool::OneShotLines(catalogue, options);
    if (figures.lines.empty()) {
        // The request is sound but its growth does not fit a single: the length is too long.
        sheet.faults.push_back({RequestField::Length, "长度过大: " + figures.error});
        sheet.notice = "输入有误, 改正后显示结果";
        materialOnly();
        return sheet;
    }
    TakeLines(figures.lines, sheet);
    // What --explain puts before those lines, from the same figures (which OneShotLines, having
    // printed lines, has found computable).
    const auto calculated = Calculate(coefficients, request);
    const auto* result = std::get_if<Result>(&calculated);
    if (result != nullptr) sheet.explain = ExplainLines(catalogue, request, *result);

    plot.material = request.material;
    plot.temperature = request.Celsius(request.temperature);
    plot.lengthMm = request.LengthMm();
    plot.installCelsius = request.Celsius(request.install);
    sheet.plot = PlotSvg(coefficients, plot);
    sheet.table = Table(catalogue, request.material,
                        result != nullptr ? std::optional(result->coefficient) : std::nullopt);
    return sheet;
}

}  // namespace velmarith::web
