#include "engineering/Report.h"

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

// An operand after the first one in a written-out formula: a negative one in parentheses,
// so that "(-100 - (-130))" reads as arithmetic.
std::string Operand(const std::string& text) {
    return text.starts_with('-') ? "(" + text + ")" : text;
}

std::string MaterialTitle(const Catalogue& catalogue, int material) {
    std::string title = "材料 " + std::to_string(material) + ": " + catalogue.Name(material) +
                        ", 适用温度 " + RangeText(catalogue, material, Units::Si);
    if (!Catalogue::IsBuiltIn(material)) {
        title +=
            ", 自定义材料, 参考温度 " + DoubleToText(catalogue.Reference(material)) + " 摄氏度";
    }
    return title;
}

// A temperature in °C as a formula shows it: whole degrees as they are, others at 15 digits.
std::string CelsiusOperand(double celsius) {
    return celsius == static_cast<double>(static_cast<int>(celsius))
               ? std::to_string(static_cast<int>(celsius))
               : DoubleToText(celsius);
}

void ExplainCoefficient(std::vector<std::string>& lines, const Catalogue& catalogue, int material,
                        double celsius, const CoefficientHit& hit) {
    const int i = hit.gridIndex;
    // The table point i and the one after it: the window's grid, or the user's points.
    const auto pointText = [&](int index) {
        if (Catalogue::IsBuiltIn(material)) {
            return IntegerToText(
                catalogue.Tables().TemperatureGrid[static_cast<std::size_t>(index)]);
        }
        return DoubleToText(
            catalogue.User(material).points[static_cast<std::size_t>(index)].temperature);
    };
    const auto alphaText = [&](int index) {
        if (Catalogue::IsBuiltIn(material)) {
            return catalogue.Tables()
                .CoefficientTable[material][static_cast<std::size_t>(index)]
                .ToText();
        }
        return DoubleToText(catalogue.User(material).points[static_cast<std::size_t>(index)].alpha);
    };
    const std::string t = CelsiusOperand(celsius);
    const std::string point = Catalogue::IsBuiltIn(material) ? "网格点" : "表点";
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
                    " = " + DoubleToText(hit.value) + ", 存为单精度 " +
                    SingleToText(hit.coefficient));
}

}  // namespace

std::vector<std::string> TableLines(const Catalogue& catalogue, std::optional<int> material) {
    const MaterialTables& tables = catalogue.Tables();
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
    bool titled = false;
    for (int id = kMaterialCount; id < catalogue.Count(); ++id) {
        if (material && *material != id) continue;
        if (!titled) {
            lines.emplace_back(
                "自定义材料 (温度:系数, 系数为参考温度至该温度之间的平均线膨胀系数):");
            titled = true;
        }
        const UserMaterial& user = catalogue.User(id);
        std::string line =
            std::to_string(id) + " " + user.name + "\t" + DoubleToText(catalogue.Low(id)) + " ~ " +
            DoubleToText(catalogue.High(id)) + "\t参考温度 " + DoubleToText(user.reference);
        for (const auto& point : user.points) {
            line += "\t" + DoubleToText(point.temperature) + ":" + DoubleToText(point.alpha);
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ExplainLines(const Catalogue& catalogue, const Request& request,
                                      const Result& result) {
    std::vector<std::string> lines;
    lines.push_back(MaterialTitle(catalogue, request.material));
    const std::string reference = CelsiusOperand(catalogue.Reference(request.material));
    const double hot = request.Celsius(request.temperature);
    const double install = request.Celsius(request.install);
    if (request.units == Units::Us) {
        lines.push_back("美制单位: T(摄氏度) = (T(°F) - 32) × 5 ÷ 9, L(mm) = L(in) × 25.4; " +
                        TemperatureText(request, request.temperature) +
                        ", L = " + SingleToText(request.length) +
                        " in = " + DoubleToText(request.LengthMm()) + " mm");
    }
    ExplainCoefficient(lines, catalogue, request.material, hot, result.coefficient);
    // The installation term vanishes only at 20 °C in a table from 20 °C.
    const bool withInstall =
        !request.DefaultInstall() || catalogue.Reference(request.material) != ReferenceTemperature;
    if (withInstall) {
        ExplainCoefficient(lines, catalogue, request.material, install, *result.installCoefficient);
    }
    if (result.coldCoefficient) {
        ExplainCoefficient(lines, catalogue, request.material, request.Celsius(*request.cold),
                           *result.coldCoefficient);
    }
    const std::string l = request.units == Units::Si ? SingleToText(request.length)
                                                     : DoubleToText(request.LengthMm());
    const std::string unit(LengthUnit(request.units));
    const std::string inInches = request.units == Units::Us ? " ÷ 25.4" : "";
    // One term: L × α × (T - 20), the window's order.
    const auto term = [&](float coefficient, double celsius) {
        return Operand(l) + " × " + Operand(SingleToText(coefficient)) + " × (" +
               CelsiusOperand(celsius) + " - " + Operand(reference) + ")";
    };
    const auto figure = [&](const std::string& name, float a1, double t1, bool fromTwenty, float a2,
                            double t2, float value) {
        std::string text = name + " = (" + term(a2, t2);
        if (!fromTwenty) text += " - " + term(a1, t1);
        lines.push_back(text + ") ÷ 10^6" + inInches + " = " + SingleToText(value) + " " + unit);
    };
    const float a1 = withInstall ? result.installCoefficient->coefficient : 0.0f;
    if (request.units == Units::Si && !withInstall && !result.coldCoefficient &&
        Catalogue::IsBuiltIn(request.material)) {
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
