#include "app/shared/LineDesignText.h"

#include <cmath>

#include "app/shared/CompensationText.h"
#include "app/shared/FormulaText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

struct Names {
    std::string length, longLength, stress, force, pressure, area, stiffness, weight, inertia,
        screen;
};

Names NamesOf(Units units) {
    if (units == Units::Si) {
        return {"mm", "m", "MPa", "kN", "MPa", "cm²", "N/mm", "N/m", "mm⁴", "(mm/m)²"};
    }
    return {"in", "ft", "psi", "lbf", "psi", "in²", "lbf/in", "lbf/ft", "in⁴", "(in/ft)²"};
}

bool Si(const Request& request) { return request.units == Units::Si; }

// "÷ 1000" where N becomes kN.
std::string ToKilonewtons(const Request& request) { return Si(request) ? " ÷ 1000" : ""; }

// A length in the request's unit as the screen takes it: "÷ 1000" to m, "÷ 12" to ft.
std::string ToLong(const Request& request) { return Si(request) ? " ÷ 1000" : " ÷ 12"; }

std::string CheckLine(const std::string& what, const LegCheck& check, const Compensation& figures,
                      const Names& unit) {
    std::string line = "  " + what + ": 应力 S = " + Figure(check.stress) + " " + unit.stress +
                       ", S/SA = " + Figure(check.ratio);
    if (check.force) line += ", 固定点推力 F = " + Figure(*check.force) + " " + unit.force;
    if (check.sufficient) return line + ": 满足";
    return line + ": 不满足, 需 " + (check.width ? "Lf" : "Lg") + " 不小于 " +
           Figure(*figures.leg) + " " + unit.length + " (设计取 " + Figure(*figures.legDesign) +
           " " + unit.length + ")";
}

std::string ScreenLine(const std::string& what, const Screen& screen, const Names& unit) {
    return "  " + what + ": L = " + Figure(screen.developed) + " " + unit.longLength +
           ", U = " + Figure(screen.anchorDistance) + " " + unit.longLength +
           ", y = " + Figure(screen.displacement) + " " + unit.length +
           ", D·y/(L - U)² = " + Figure(screen.value) + ", K1 = " + Figure(screen.limit) + " " +
           unit.screen + ": " +
           std::string(screen.needsAnalysis ? kAnalysisNeeded : kNoAnalysisNeeded);
}

}  // namespace

std::string PresetBasis(const Request& request, const Compensation& figures) {
    if (figures.temperatureIsColdExtreme) {
        return "工作温度低于安装温度, 即冷态: δ/2 + 安装至工作温度的膨胀量/n";
    }
    return request.cold ? "" : "无冷态: δ/2";
}

std::vector<std::string> LineDesignLines(const Request& request, const Compensation& figures,
                                         const LineDesign& design) {
    const Names unit = NamesOf(request.units);
    const Line& line = *request.line;
    std::vector<std::string> lines;
    lines.emplace_back("  管线布置与伸缩节 (估算, 不代替柔性分析):");
    if (design.legForce) {
        lines.push_back("  按计算尺寸的固定点推力: L 形或 Z 形弯 Lg = " + Figure(*figures.leg) +
                        " " + unit.length + " 时 F = " + Figure(*design.legForce) + " " +
                        unit.force + "; Π 形补偿器 Lf = " + Figure(*figures.loopLength) + " " +
                        unit.length + " 时 F = " + Figure(*design.loopForce) + " " + unit.force);
    } else if (figures.allowableRange) {
        lines.emplace_back("  未给出壁厚 t: 不计弯臂与补偿器的固定点推力");
    }
    if (design.legCheck) {
        lines.push_back(
            CheckLine("给定 L 形弯臂长 Lg = " + Figure(design.legCheck->length) + " " + unit.length,
                      *design.legCheck, figures, unit));
    }
    if (design.loopCheck) {
        const LegCheck& loop = *design.loopCheck;
        lines.push_back(CheckLine("给定 Π 形补偿器 W = " + Figure(*loop.width) + " " + unit.length +
                                      ", H = " + Figure(*loop.height) + " " + unit.length +
                                      ", Lf = W + 2H = " + Figure(loop.length) + " " + unit.length,
                                  loop, figures, unit));
    }
    if (design.screenLeg) {
        lines.push_back("  " + std::string(kScreenConditions));
        const std::string legSource = line.leg ? "给定" : "按计算";
        lines.push_back(ScreenLine("  L 形弯 (长度 " + Figure(request.typedLength) + " " +
                                       unit.length + ", 臂长" + legSource + ")",
                                   *design.screenLeg, unit));
        const std::string loopSource = line.loopHeight ? "给定" : "按计算";
        lines.push_back(
            ScreenLine("  直管中的 Π 形补偿器 (高" + loopSource + ")", *design.screenLoop, unit));
    } else {
        lines.push_back("  " + std::string(kNoScreen));
    }
    if (const auto& b = design.bellows) {
        const std::string l = unit.length;
        lines.push_back("  轴向波纹管伸缩节 (两主固定点之间): n = " + Figure(b->joints) +
                        " 个, 每段长 L/n = " + Figure(request.typedLength / b->joints) + " " + l +
                        ", 每个位移 δ = " + Figure(b->movementPerJoint) + " " + l + " (额定 " +
                        Figure(b->ratedMovement) + " " + l + ")");
        std::string preset = "  安装时预变形 (" + std::string(kPresetUse) + "): ";
        if (b->preset > 0) {
            preset += "预拉伸 " + Figure(b->preset) + " " + l;
        } else if (b->preset < 0) {
            preset += "预压缩 " + Figure(-b->preset) + " " + l;
        } else {
            preset += "无需预拉伸或预压缩";
        }
        if (const std::string basis = PresetBasis(request, figures); !basis.empty()) {
            preset += " (" + basis + ")";
        }
        lines.push_back(preset);
        std::string load = "  主固定点推力: ";
        load += b->pressureThrust
                    ? "压力推力 Fp = P·Aeff = " + Figure(*b->pressureThrust) + " " + unit.force
                    : std::string(kNoPressureThrust);
        load += ", 弹性力 Fs = K·δ/2 = " + Figure(b->springForce) + " " + unit.force;
        load += b->frictionForce
                    ? ", 摩擦力 Ff = μ·q·L/n = " + Figure(*b->frictionForce) + " " + unit.force
                    : ", " + std::string(kNoFriction);
        load += ", 合计 F = " + Figure(b->anchorForce) + " " + unit.force;
        lines.push_back(load);
        lines.push_back("  " + std::string(kNoThrustBetweenJoints));
        std::string guides = "  导向支架: 第一个距伸缩节不大于 4D = " + Figure(b->firstGuide) +
                             " " + l + ", 第二个距第一个不大于 14D = " + Figure(b->secondGuide) +
                             " " + l;
        guides += b->guideSpacing ? ", 其后间距不大于 Lmax = " + Figure(*b->guideSpacing) + " " + l
                                  : std::string(", 其后间距: 无轴向压力, 不受失稳限制");
        lines.push_back(guides);
    }
    return lines;
}

std::vector<std::string> LineDesignWorking(const Request& request, const Result& result,
                                           const Compensation& figures, const LineDesign& design) {
    const Names unit = NamesOf(request.units);
    const Pipe& pipe = *request.pipe;
    const std::string d = DoubleToText(pipe.diameter);
    const std::string ea = Figure(figures.modulus);
    const std::string delta = Operand(Figure(std::fabs(figures.movement)));
    const std::string kn = ToKilonewtons(request);
    std::vector<std::string> lines;
    if (design.inertia) {
        lines.push_back("I = π ÷ 64 × (" + d + "⁴ - (" + d + " - 2 × " + DoubleToText(*pipe.wall) +
                        ")⁴) = " + Figure(*design.inertia) + " " + unit.inertia);
    }
    const std::string i = design.inertia ? Figure(*design.inertia) : std::string();
    const auto force = [&](const std::string& lead, const std::string& name, double length,
                           double value) {
        lines.push_back(lead + "F(" + name + ") = 12 × Ea × I × Δ ÷ " + name + "³" + kn +
                        " = 12 × " + ea + " × " + i + " × " + delta + " ÷ " + Figure(length) + "³" +
                        kn + " = " + Figure(value) + " " + unit.force);
    };
    if (design.legForce) force("", "Lg", *figures.leg, *design.legForce);
    if (design.loopForce) force("", "Lf", *figures.loopLength, *design.loopForce);
    // The layout's own leg or loop, named so, beside the sized one's figures.
    const auto check = [&](const std::string& lead, const std::string& name, const LegCheck& c) {
        lines.push_back(lead + "S = 3 × Ea × D × Δ ÷ " + name + "² = 3 × " + ea + " × " + d +
                        " × " + delta + " ÷ " + Figure(c.length) + "² = " + Figure(c.stress) + " " +
                        unit.stress + ", S ÷ SA = " + Figure(c.ratio));
        if (c.force) force(lead, name, c.length, *c.force);
    };
    if (design.legCheck) check("给定臂长: ", "Lg", *design.legCheck);
    if (design.loopCheck) {
        lines.push_back("给定补偿器: Lf = W + 2 × H = " + Figure(*design.loopCheck->width) +
                        " + 2 × " + Figure(*design.loopCheck->height) + " = " +
                        Figure(design.loopCheck->length) + " " + unit.length);
        check("给定补偿器: ", "Lf", *design.loopCheck);
    }
    if (design.screenLeg) {
        const Screen& leg = *design.screenLeg;
        lines.push_back("K1 = " + std::string(Si(request) ? "208000" : "30") + " × SA ÷ Ea = " +
                        (Si(request) ? "208000" : "30") + " × " + Figure(*figures.allowableRange) +
                        " ÷ " + ea + " = " + Figure(leg.limit) + " " + unit.screen);
        const std::string runLong = Figure(request.typedLength) + ToLong(request);
        lines.push_back("L 形弯: 长度与臂长" + ToLong(request) + " 换算为 " + unit.longLength +
                        "; L = 长度 + 臂长 = " + Figure(leg.developed) + " " + unit.longLength +
                        ", U = √(长度² + 臂长²) = " + Figure(leg.anchorDistance) + " " +
                        unit.longLength + ", y = Δ × U ÷ 长度 = " + delta + " × " +
                        Figure(leg.anchorDistance) + " ÷ (" + runLong +
                        ") = " + Figure(leg.displacement) + " " + unit.length);
        lines.push_back("D × y ÷ (L - U)² = " + d + " × " + Figure(leg.displacement) + " ÷ (" +
                        Figure(leg.developed) + " - " + Figure(leg.anchorDistance) +
                        ")² = " + Figure(leg.value));
        const Screen& loop = *design.screenLoop;
        lines.push_back("Π 形补偿器: L = 长度 + 2 × H = " + Figure(loop.developed) + " " +
                        unit.longLength + ", U = 长度 = " + Figure(loop.anchorDistance) + " " +
                        unit.longLength + ", y = Δ = " + Figure(loop.displacement) + " " +
                        unit.length + "; D × y ÷ (L - U)² = " + d + " × " +
                        Figure(loop.displacement) + " ÷ (" + Figure(loop.developed) + " - " +
                        Figure(loop.anchorDistance) + ")² = " + Figure(loop.value));
    }
    if (const auto& b = design.bellows) {
        const Line& line = *request.line;
        const std::string l = unit.length;
        lines.push_back("n = ⌈Δ ÷ 额定位移⌉ = ⌈" + delta + " ÷ " + Figure(b->ratedMovement) +
                        "⌉ = " + Figure(b->joints) +
                        ", δ = Δ ÷ n = " + Figure(b->movementPerJoint) + " " + l);
        std::string preset = "p = δ ÷ 2";
        // From installation to the cold extreme, as the design takes it.
        std::optional<float> toCold;
        if (request.cold) {
            toCold = result.coldExpansion;
        } else if (figures.temperatureIsColdExtreme) {
            toCold = result.expansion;
        }
        if (toCold) {
            preset += " + 安装至冷态的膨胀量 ÷ n = " + Figure(b->movementPerJoint) + " ÷ 2 + " +
                      Operand(SingleToText(*toCold)) + " ÷ " + Figure(b->joints);
        }
        lines.push_back(preset + " = " + Figure(b->preset) + " " + l);
        if (b->pressureThrust) {
            lines.push_back(std::string(Si(request) ? "Fp = 100 × P × Aeff ÷ 1000 = 100 × "
                                                    : "Fp = P × Aeff = ") +
                            Figure(*line.pressure) + " × " + Figure(*line.jointArea) + kn + " = " +
                            Figure(*b->pressureThrust) + " " + unit.force + " (" + unit.pressure +
                            ", " + unit.area + ")");
        }
        lines.push_back("Fs = K × δ ÷ 2" + kn + " = " + Figure(*line.jointStiffness) + " × " +
                        Figure(b->movementPerJoint) + " ÷ 2" + kn + " = " + Figure(b->springForce) +
                        " " + unit.force);
        if (b->frictionForce) {
            lines.push_back("Ff = μ × q × (L ÷ n" + ToLong(request) + ")" + kn + " = " +
                            Figure(line.friction) + " × " + Figure(*line.weight) + " × (" +
                            SingleToText(request.length) + " ÷ " + Figure(b->joints) +
                            ToLong(request) + ")" + kn + " = " + Figure(*b->frictionForce) + " " +
                            unit.force);
        }
        lines.push_back("F = Fp + Fs + Ff = " + Figure(b->pressureThrust.value_or(0)) + " + " +
                        Figure(b->springForce) + " + " + Figure(b->frictionForce.value_or(0)) +
                        " = " + Figure(b->anchorForce) + " " + unit.force);
        lines.push_back("4 × D = " + Figure(b->firstGuide) + " " + l +
                        ", 14 × D = " + Figure(b->secondGuide) + " " + l);
        if (b->guideSpacing) {
            const double axial = b->pressureThrust.value_or(0) + b->springForce;
            lines.push_back("Lmax = π ÷ 2 × √(Ea × I ÷ ((Fp + Fs)" +
                            std::string(Si(request) ? " × 1000" : "") + ")) = π ÷ 2 × √(" + ea +
                            " × " + i + " ÷ (" + Figure(axial) + (Si(request) ? " × 1000" : "") +
                            ")) = " + Figure(*b->guideSpacing) + " " + l);
        }
    }
    return lines;
}

}  // namespace velmarith::tool
