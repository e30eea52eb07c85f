#include "app/shared/ExplanationText.h"

#include "app/shared/FormulaText.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

std::string MaterialTitle(const Catalogue& catalogue, int material) {
    std::string title = "材料 " + std::to_string(material) + ": " + catalogue.Name(material) +
                        ", 适用温度 " + RangeText(catalogue, material, Units::Si);
    if (!Catalogue::IsBuiltIn(material)) {
        title +=
            ", 自定义材料, 参考温度 " + DoubleToText(catalogue.Reference(material)) + " 摄氏度";
    }
    return title;
}

void CoefficientLines(std::vector<std::string>& lines, const Catalogue& catalogue, int material,
                      const CoefficientStep& step) {
    const std::string t = CelsiusOperand(step.celsius);
    if (!step.hit) {
        lines.push_back(t + " 摄氏度是该材料的参考温度: α(" + t + ") × (" + t + " - " + t +
                        ") = 0, 无需系数");
        return;
    }
    const CoefficientHit& hit = *step.hit;
    const int i = hit.gridIndex;
    const bool builtIn = Catalogue::IsBuiltIn(material);
    // The table point i and the one after it: the window's grid, or the user's points.
    const auto pointText = [&](int index) {
        const auto at = static_cast<std::size_t>(index);
        if (builtIn) return IntegerToText(catalogue.Tables().TemperatureGrid[at]);
        return DoubleToText(catalogue.User(material).points[at].temperature);
    };
    const auto alphaText = [&](int index) {
        const auto at = static_cast<std::size_t>(index);
        if (builtIn) return catalogue.Tables().CoefficientTable[material][at].ToText();
        return DoubleToText(catalogue.User(material).points[at].alpha);
    };
    const std::string point = builtIn ? "网格点" : "表点";
    if (hit.exact) {
        lines.push_back(t + " 摄氏度是" + point + " (序号 " + std::to_string(i) + "): α(" + t +
                        ") = " + alphaText(i) + ", 照表取值");
        return;
    }
    const std::string g0 = pointText(i);
    const std::string g1 = pointText(i + 1);
    const std::string a0 = alphaText(i);
    const std::string a1 = alphaText(i + 1);
    lines.push_back(t + " 摄氏度位于" + point + " " + g0 + " 与 " + g1 + " 之间 (序号 " +
                    std::to_string(i) + " 与 " + std::to_string(i + 1) + ")");
    lines.push_back("  α(" + g0 + ") = " + a0);
    lines.push_back("  α(" + g1 + ") = " + a1);
    lines.push_back("  α(" + t + ") = ((" + t + " - " + Operand(g0) + ") × (" + a1 + " - " +
                    Operand(a0) + ")) ÷ (" + g1 + " - " + Operand(g0) + ") + " + Operand(a0) +
                    " = " + DoubleToShortText(hit.value) + ", 存为单精度 " +
                    SingleToText(hit.coefficient));
}

}  // namespace

std::string RoundingNote(const RoundingStep& rounding) {
    return rounding.typed + " 摄氏度按整摄氏度计算, 取为 " + CelsiusOperand(rounding.used) +
           " 摄氏度 (与窗口相同)";
}

std::vector<std::string> ExplainLines(const Catalogue& catalogue, const Request& request,
                                      const Explanation& explanation) {
    std::vector<std::string> lines;
    lines.push_back(MaterialTitle(catalogue, request.material));
    if (!request.grade.empty()) lines.push_back("牌号 " + request.grade + " 属于该材料组");
    for (const auto& rounding : explanation.roundings) {
        lines.push_back(std::string(Row(rounding.field).label) + " " + RoundingNote(rounding));
    }
    if (request.units == Units::Us) {
        lines.push_back("美制单位: T(摄氏度) = (T(°F) - 32) × 5 ÷ 9, L(mm) = L(in) × 25.4; " +
                        TemperatureText(request, request.temperature) +
                        ", L = " + SingleToText(request.length) +
                        " in = " + DoubleToShortText(request.LengthMm()) + " mm");
    }
    for (const auto& step : explanation.coefficients) {
        CoefficientLines(lines, catalogue, request.material, step);
    }
    const std::string l = request.units == Units::Si ? SingleToText(request.length)
                                                     : DoubleToShortText(request.LengthMm());
    const std::string unit(LengthUnit(request.units));
    const std::string reference = CelsiusOperand(catalogue.Reference(request.material));
    if (explanation.windowFormula) {
        // The window's own formula, as it has always been shown.
        const GrowthStep& growth = explanation.growths.front();
        lines.push_back("ΔL = (" + l + " × " + Operand(SingleToText(growth.to.coefficient)) +
                        " × (" + CelsiusOperand(growth.to.celsius) +
                        " - 20)) ÷ 10^6 = " + SingleToText(growth.value) + " mm");
        return lines;
    }
    // One term: L × α × (T - Tr), the window's order.
    const auto term = [&](const GrowthTerm& t) {
        return Operand(l) + " × " + Operand(SingleToText(t.coefficient)) + " × (" +
               CelsiusOperand(t.celsius) + " - " + Operand(reference) + ")";
    };
    const std::string inInches = request.units == Units::Us ? " ÷ 25.4" : "";
    for (const auto& growth : explanation.growths) {
        std::string text = growth.name + " = (" + term(growth.to);
        if (growth.from) text += " - " + term(*growth.from);
        text.append(") ÷ 10^6").append(inInches).append(" = ");
        text.append(SingleToText(growth.value)).append(" ").append(unit);
        lines.push_back(std::move(text));
    }
    return lines;
}

}  // namespace velmarith::tool
