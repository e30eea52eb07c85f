#include "engineering/Report.h"

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

// An operand after the first one in a written-out formula: a negative one in parentheses,
// so that "(-100 - (-130))" reads as arithmetic.
std::string Operand(const std::string& text) {
    return text.starts_with('-') ? "(" + text + ")" : text;
}

std::string MaterialTitle(int material) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    return "材料 " + std::to_string(material) + ": " + std::string(MaterialListTexts[material]) +
           ", 适用温度 " + IntegerToText(limits.Low) + " ~ " + IntegerToText(limits.High) +
           " 摄氏度";
}

// A temperature in °C as a formula shows it: whole degrees as they are, others at 15 digits.
std::string CelsiusOperand(double celsius) {
    return celsius == static_cast<double>(static_cast<int>(celsius))
               ? std::to_string(static_cast<int>(celsius))
               : DoubleToText(celsius);
}

void ExplainCoefficient(std::vector<std::string>& lines, const MaterialTables& tables, int material,
                        double celsius, const CoefficientHit& hit) {
    const auto& grid = tables.TemperatureGrid;
    const auto& row = tables.CoefficientTable[material];
    const int i = hit.gridIndex;
    const std::string t = CelsiusOperand(celsius);
    if (hit.exact) {
        lines.push_back(t + " 摄氏度是网格点 (序号 " + std::to_string(i) + "): α(" + t +
                        ") = " + row[i].ToText() + ", 照表取值");
        return;
    }
    const std::string g0 = IntegerToText(grid[i]);
    const std::string g1 = IntegerToText(grid[i + 1]);
    const std::string a0 = row[i].ToText();
    const std::string a1 = row[i + 1].ToText();
    lines.push_back(t + " 摄氏度位于网格点 " + g0 + " 与 " + g1 + " 之间 (序号 " +
                    std::to_string(i) + " 与 " + std::to_string(i + 1) + ")");
    lines.push_back("  α(" + g0 + ") = " + a0);
    lines.push_back("  α(" + g1 + ") = " + a1);
    lines.push_back("  α(" + t + ") = ((" + t + " - " + Operand(g0) + ") × (" + a1 + " - " +
                    Operand(a0) + ")) ÷ (" + g1 + " - " + Operand(g0) + ") + " + Operand(a0) +
                    " = " + DoubleToText(hit.value) + ", 存为单精度 " +
                    SingleToText(hit.coefficient));
}

}  // namespace

std::vector<std::string> TableLines(const MaterialTables& tables, std::optional<int> material) {
    std::vector<std::string> lines;
    std::string header = "材料\t适用温度(摄氏度)";
    for (const auto t : tables.TemperatureGrid) header += "\t" + IntegerToText(t);
    lines.push_back(header);
    for (int k = 0; k < kMaterialCount; ++k) {
        if (material && *material != k) continue;
        const MaterialLimits& limits = MaterialLimitsTable[k];
        std::string line = std::to_string(k) + " " + std::string(MaterialListTexts[k]) + "\t" +
                           IntegerToText(limits.Low) + " ~ " + IntegerToText(limits.High);
        const auto& row = tables.CoefficientTable[k];
        for (int i = 0; i < static_cast<int>(tables.TemperatureGrid.size()); ++i) {
            // Only the indices a lookup can reach hold data; the rest are placeholders.
            const bool data = i >= limits.First && i <= limits.Last;
            line += "\t" + (data ? row[static_cast<std::size_t>(i)].ToText() : std::string("-"));
        }
        lines.push_back(line);
    }
    lines.emplace_back("系数单位: 10^-6 mm/mm.C, 为 20 摄氏度至该温度之间的平均线膨胀系数");
    lines.emplace_back("-: 无数据");
    return lines;
}

std::vector<std::string> ExplainLines(const MaterialTables& tables, const Request& request,
                                      const Result& result) {
    std::vector<std::string> lines;
    lines.push_back(MaterialTitle(request.material));
    const double hot = request.Celsius(request.temperature);
    const double install = request.Celsius(request.install);
    if (request.units == Units::Us) {
        lines.push_back("美制单位: T(摄氏度) = (T(°F) - 32) × 5 ÷ 9, L(mm) = L(in) × 25.4; " +
                        TemperatureText(request, request.temperature) +
                        ", L = " + SingleToText(request.length) +
                        " in = " + DoubleToText(request.LengthMm()) + " mm");
    }
    ExplainCoefficient(lines, tables, request.material, hot, result.coefficient);
    const bool withInstall = !request.DefaultInstall();
    if (withInstall) {
        ExplainCoefficient(lines, tables, request.material, install, *result.installCoefficient);
    }
    if (result.coldCoefficient) {
        ExplainCoefficient(lines, tables, request.material, request.Celsius(*request.cold),
                           *result.coldCoefficient);
    }
    const std::string l = request.units == Units::Si ? SingleToText(request.length)
                                                     : DoubleToText(request.LengthMm());
    const std::string unit(LengthUnit(request.units));
    const std::string inInches = request.units == Units::Us ? " ÷ 25.4" : "";
    // One term: L × α × (T - 20), the window's order.
    const auto term = [&](float coefficient, double celsius) {
        return Operand(l) + " × " + Operand(SingleToText(coefficient)) + " × (" +
               CelsiusOperand(celsius) + " - 20)";
    };
    const auto figure = [&](const std::string& name, float a1, double t1, bool fromTwenty, float a2,
                            double t2, float value) {
        std::string text = name + " = (" + term(a2, t2);
        if (!fromTwenty) text += " - " + term(a1, t1);
        lines.push_back(text + ") ÷ 10^6" + inInches + " = " + SingleToText(value) + " " + unit);
    };
    const float a1 = withInstall ? result.installCoefficient->coefficient : 0.0f;
    if (request.units == Units::Si && !withInstall && !result.coldCoefficient) {
        // The window's own formula, as it has always been shown.
        lines.push_back(
            "ΔL = (" + l + " × " + Operand(SingleToText(result.coefficient.coefficient)) + " × (" +
            CelsiusOperand(hot) + " - 20)) ÷ 10^6 = " + SingleToText(result.expansion) + " mm");
        return lines;
    }
    figure("ΔL(安装→热态)", a1, install, !withInstall, result.coefficient.coefficient, hot,
           result.expansion);
    if (result.coldCoefficient) {
        const double cold = request.Celsius(*request.cold);
        figure("ΔL(安装→冷态)", a1, install, !withInstall, result.coldCoefficient->coefficient,
               cold, *result.coldExpansion);
        figure("ΔL(冷态→热态)", result.coldCoefficient->coefficient, cold, false,
               result.coefficient.coefficient, hot, *result.movement);
    }
    return lines;
}

}  // namespace velmarith::engineering
