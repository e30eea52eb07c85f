#include "app/calc/Report.h"

#include "runtime/NumberText.h"

namespace velmarith::tool {
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

void ExplainCoefficient(std::vector<std::string>& lines, const MaterialTables& tables, int material,
                        std::int16_t temperature, const CoefficientHit& hit) {
    const auto& grid = tables.TemperatureGrid;
    const auto& row = tables.CoefficientTable[material];
    const int i = hit.gridIndex;
    const std::string t = IntegerToText(temperature);
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
    ExplainCoefficient(lines, tables, request.material, request.temperature, result.coefficient);
    const std::string l = SingleToText(request.length);
    const std::string t2 = IntegerToText(request.temperature);
    const std::string c2 = SingleToText(result.coefficient.coefficient);
    if (request.install == ReferenceTemperature) {
        lines.push_back("ΔL = (" + l + " × " + Operand(c2) + " × (" + t2 +
                        " - 20)) ÷ 10^6 = " + SingleToText(result.expansion) + " mm");
    } else {
        ExplainCoefficient(lines, tables, request.material, request.install,
                           *result.installCoefficient);
        const std::string t1 = IntegerToText(request.install);
        const std::string c1 = SingleToText(result.installCoefficient->coefficient);
        lines.push_back("ΔL = (" + l + " × " + Operand(c2) + " × (" + t2 + " - 20) - " +
                        Operand(l) + " × " + Operand(c1) + " × (" + t1 +
                        " - 20)) ÷ 10^6 = " + SingleToText(result.expansion) + " mm");
    }
    return lines;
}

}  // namespace velmarith::tool
