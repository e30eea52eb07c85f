#include "app/shared/CompensationText.h"

#include <cmath>

#include "app/shared/FormulaText.h"
#include "engineering/BuiltInMaterials.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

struct UnitNames {
    std::string length, area, stress, force;
};

UnitNames NamesOf(Units units) {
    if (units == Units::Si) return {"mm", "mm²", "MPa", "kN"};
    return {"in", "in²", "psi", "lbf"};
}

// Compression or tension, by the sign of the stress or force.
std::string Sense(double value) { return value < 0 ? " (压)" : value > 0 ? " (拉)" : ""; }

// The state at the request's temperature: the hot extreme, or the cold one for a line that
// works below its installation.
std::string StateName(const Compensation& figures) {
    return figures.temperatureIsColdExtreme ? "冷态" : "热态";
}

// Δ as the range's size with its direction.
std::string Movement(const Request& request, const Compensation& figures, const std::string& unit) {
    return Figure(std::fabs(figures.movement)) + " " + unit + " (" +
           MovementSpan(request, figures) + ")";
}

// A required length and the value a drawing takes.
std::string WithDesign(double length, double design, const std::string& unit) {
    return Figure(length) + " " + unit + " (设计取 " + Figure(design) + " " + unit + ")";
}

}  // namespace

std::string Figure(double value) { return DoubleToShortText(value); }

std::string RangeName(const Request& request, const Compensation& figures) {
    if (request.cold) return "冷态至热态";
    return figures.temperatureIsColdExtreme ? "安装至冷态" : "安装至热态";
}

std::string MovementSpan(const Request& request, const Compensation& figures) {
    return RangeName(request, figures) + (figures.movement < 0 ? ", 收缩" : ", 伸长");
}

std::string ModulusSource(const Request& request) {
    const Pipe& pipe = *request.pipe;
    if (pipe.modulusGiven) return "给定";
    const Modulus modulus = BuiltInModulus(request.material);
    return std::string(modulus.source) + ", " + modulus.Text();
}

std::vector<std::string> CompensationLines(const Request& request, const Compensation& figures) {
    const Pipe& pipe = *request.pipe;
    const UnitNames unit = NamesOf(request.units);
    std::vector<std::string> lines;
    lines.push_back("  管道与补偿 (" + std::string(kMethod) + "):");
    lines.push_back("  弹性模量 Ea = " + Figure(figures.modulus) + " " + unit.stress + " (" +
                    ModulusSource(request) + ")");
    std::string size = "  外径 D = " + DoubleToText(pipe.diameter) + " " + unit.length;
    if (pipe.wall) {
        size += ", 壁厚 t = " + DoubleToText(*pipe.wall) + " " + unit.length +
                ", 金属截面积 A = " + Figure(*figures.metalArea) + " " + unit.area;
    } else {
        size += " (" + std::string(kNoWall) + ")";
    }
    lines.push_back(size);
    if (figures.allowableRange) {
        std::string line =
            "  许用位移应力范围 SA = " + Figure(*figures.allowableRange) + " " + unit.stress;
        if (figures.cycleFactor) {
            line += " (f = " + Figure(*figures.cycleFactor) +
                    ", Sc = " + DoubleToText(*pipe.coldAllowable) + " " + unit.stress +
                    ", Sh = " + DoubleToText(*pipe.hotAllowable) + " " + unit.stress +
                    ", N = " + DoubleToText(pipe.cycles) + ")";
        } else {
            line += " (给定)";
        }
        lines.push_back(line);
    }
    const auto restrained = [&](const std::string& state, const Restrained& r) {
        std::string line = "  两端固定 (无补偿), " + state + ": 应变 ε = " + Figure(r.strain) +
                           ", 轴向应力 σ = " + Figure(r.stress) + " " + unit.stress +
                           Sense(r.stress);
        if (r.force) {
            line += ", 固定点受力 F = " + Figure(*r.force) + " " + unit.force + Sense(*r.force);
        }
        lines.push_back(line);
        if (r.elasticBound) {
            lines.push_back("  " + std::string(kElasticBound));
        }
    };
    restrained(StateName(figures) + (figures.temperatureIsColdExtreme ? " (低于安装温度)" : ""),
               figures.hot);
    if (figures.cold) restrained("冷态", *figures.cold);
    lines.push_back("  须吸收的位移 Δ = " + Movement(request, figures, unit.length));
    if (!figures.allowableRange) {
        lines.push_back("  " + std::string(kNoAllowable));
        return lines;
    }
    const std::string range = "  " + RangeName(request, figures) +
                              "的应力范围 Ea·Δ/L = " + Figure(figures.stressRange) + " " +
                              unit.stress;
    if (figures.CannotBeRestrained()) {
        lines.push_back(range + ", " + std::string(kCannotBeRestrained));
    } else {
        lines.push_back(range + ", 不大于 SA");
    }
    lines.push_back("  L 形或 Z 形弯: 与管线垂直的臂长 Lg = " +
                    WithDesign(*figures.leg, *figures.legDesign, unit.length));
    lines.push_back(
        "  Π 形补偿器 (位于两固定点中间): 柔性长度 Lf = " +
        WithDesign(*figures.loopLength, *figures.loopLengthDesign, unit.length) + ", 宽 W = " +
        WithDesign(*figures.loopWidth, *figures.loopWidthDesign, unit.length) + ", 高 (每臂) H = " +
        WithDesign(*figures.loopHeight, *figures.loopHeightDesign, unit.length));
    lines.emplace_back("  " + std::string(kLoopProportions));
    return lines;
}

std::vector<std::string> CompensationWorking(const Catalogue& catalogue, const Request& request,
                                             const Result& result, const Compensation& figures) {
    const Pipe& pipe = *request.pipe;
    const UnitNames unit = NamesOf(request.units);
    const std::string d = DoubleToText(pipe.diameter);
    std::vector<std::string> lines;
    if (!pipe.modulusGiven) {
        const std::string millions = DoubleToText(BuiltInModulus(request.material).millionPsi);
        lines.push_back(request.units == Units::Si
                            ? "Ea = " + millions + " × 10^6 psi × 0.006894757293168361 = " +
                                  Figure(figures.modulus) + " MPa"
                            : "Ea = " + millions + " × 10^6 = " + Figure(figures.modulus) + " psi");
    }
    if (pipe.wall) {
        const std::string t = DoubleToText(*pipe.wall);
        lines.push_back("A = π ÷ 4 × (" + d + "² - (" + d + " - 2 × " + t +
                        ")²) = " + Figure(*figures.metalArea) + " " + unit.area);
    }
    if (figures.cycleFactor) {
        const std::string n = DoubleToText(pipe.cycles);
        lines.push_back("f = 6.0 × " + n + "^-0.2 = " + Figure(*figures.cycleFormula) + ", 取 " +
                        Figure(*figures.cycleFactor) + " (不大于 1.0, 不小于 0.15)");
        lines.push_back("SA = f × (1.25 × Sc + 0.25 × Sh) = " + Figure(*figures.cycleFactor) +
                        " × (1.25 × " + DoubleToText(*pipe.coldAllowable) + " + 0.25 × " +
                        DoubleToText(*pipe.hotAllowable) +
                        ") = " + Figure(*figures.allowableRange) + " " + unit.stress);
    }
    const double reference = catalogue.Reference(request.material);
    const auto alpha = [](const std::optional<CoefficientHit>& hit) {
        return hit ? SingleToText(hit->coefficient) : std::string("0");
    };
    const std::string tr = CelsiusOperand(reference);
    const std::string installTerm = alpha(result.installCoefficient) + " × (" +
                                    CelsiusOperand(request.Celsius(request.install)) + " - " +
                                    Operand(tr) + ")";
    const auto state = [&](const std::string& name, const std::string& a, double celsius,
                           const Restrained& r) {
        lines.push_back("ε(" + name + ") = (" + a + " × (" + CelsiusOperand(celsius) + " - " +
                        Operand(tr) + ") - " + installTerm + ") × 10^-6 = " + Figure(r.strain));
        lines.push_back("σ(" + name + ") = -Ea × ε = -" + Figure(figures.modulus) + " × " +
                        Operand(Figure(r.strain)) + " = " + Figure(r.stress) + " " + unit.stress);
        if (r.force) {
            lines.push_back("F(" + name + ") = σ × A" +
                            (request.units == Units::Si ? " ÷ 1000" : std::string()) + " = " +
                            Figure(*r.force) + " " + unit.force);
        }
    };
    state(StateName(figures), alpha(result.coefficient), request.Celsius(request.temperature),
          figures.hot);
    if (figures.cold) {
        state("冷态", alpha(result.coldCoefficient), request.Celsius(*request.cold), *figures.cold);
    }
    const std::string delta = Figure(std::fabs(figures.movement));
    lines.push_back("Ea·Δ/L = " + Figure(figures.modulus) + " × " + delta + " ÷ " +
                    SingleToText(request.length) + " = " + Figure(figures.stressRange) + " " +
                    unit.stress);
    if (figures.leg) {
        lines.push_back("Lg = Lf = √(3 × Ea × D × Δ ÷ SA) = √(3 × " + Figure(figures.modulus) +
                        " × " + d + " × " + delta + " ÷ " + Figure(*figures.allowableRange) +
                        ") = " + Figure(*figures.leg) + " " + unit.length);
        lines.push_back("W = Lf ÷ 5 = " + Figure(*figures.loopWidth) + " " + unit.length +
                        ", H = 2 × Lf ÷ 5 = " + Figure(*figures.loopHeight) + " " + unit.length);
    }
    return lines;
}

}  // namespace velmarith::tool
