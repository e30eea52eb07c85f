#include "app/shared/FigureTable.h"

#include <cmath>

#include "app/shared/CompensationText.h"
#include "app/shared/LineDesignText.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

struct Names {
    std::string length, longLength, stress, force, area, inertia, screen;
};

Names NamesOf(Units units) {
    if (units == Units::Si) {
        return {"mm", "m", "MPa", "kN", "mm²", "mm⁴", "(mm/m)²"};
    }
    return {"in", "ft", "psi", "lbf", "in²", "in⁴", "(in/ft)²"};
}

// Whether a way's figures are shown: the chosen way's, or every way's where none is chosen.
bool Shown(const Request& request, Layout way) {
    return !request.line || request.line->compensation == way;
}

}  // namespace

std::vector<FigureRow> FigureTable(const Catalogue& catalogue, const Evaluation& evaluation) {
    std::vector<FigureRow> rows;
    if (!evaluation.Sound() || !evaluation.request) return rows;
    const Request& request = *evaluation.request;
    const Result& result = *evaluation.result;
    const Names unit = NamesOf(request.units);
    const bool si = request.units == Units::Si;
    const auto add = [&](std::string quantity, std::string symbol, std::string value,
                         std::string unitName) {
        rows.push_back(
            {std::move(quantity), std::move(symbol), std::move(value), std::move(unitName)});
    };
    const auto single = [&](std::string quantity, std::string symbol,
                            const std::optional<float>& value, const std::string& unitName) {
        if (value) add(std::move(quantity), std::move(symbol), SingleToText(*value), unitName);
    };
    // The coefficient per °C, as the table holds it and the working and the plot use it (in US
    // units too: the working takes each temperature to °C), named with where it is taken from.
    const std::string from = DoubleToText(catalogue.Reference(request.material)) + " 摄氏度至";
    const auto alpha = [&](const std::string& state, std::string symbol,
                           const CoefficientHit& hit) {
        add("平均线膨胀系数 (" + from + state + ")", std::move(symbol),
            si ? hit.valueText : SingleToText(hit.coefficient), "10⁻⁶/°C");
    };
    alpha("热态", "α(T)", result.coefficient);
    if (result.installCoefficient) alpha("安装温度", "α(Ti)", *result.installCoefficient);
    if (result.coldCoefficient) alpha("冷态", "α(Tc)", *result.coldCoefficient);
    // A line that works below its installation only shrinks to its working state.
    const bool belowInstall = !request.cold && request.temperature < request.install;
    add(belowInstall ? "安装至冷态的膨胀量" : "安装至热态的膨胀量", "ΔL",
        SingleToText(result.expansion), unit.length);
    single(si ? "每米膨胀量" : "每100英尺膨胀量", "ΔL/L", result.rate,
           std::string(RateUnit(request.units)));
    single("膨胀后长度", "L + ΔL", result.finalLength, unit.length);
    if (request.cold) {
        single("安装至冷态的膨胀量", "ΔLc", result.coldExpansion, unit.length);
        // With the pipe, the same Δ comes once below as the movement to absorb.
        if (!evaluation.compensation) {
            single("冷态至热态的位移量", "Δ", result.movement, unit.length);
        }
    }
    if (!evaluation.compensation) return rows;

    const Compensation& figures = *evaluation.compensation;
    add("弹性模量", "Ea", Figure(figures.modulus), unit.stress);
    if (figures.metalArea) add("金属截面积", "A", Figure(*figures.metalArea), unit.area);
    if (figures.cycleFactor) add("应力范围减小系数", "f", Figure(*figures.cycleFactor), "");
    if (figures.allowableRange) {
        add("许用位移应力范围", "SA", Figure(*figures.allowableRange), unit.stress);
    }
    const auto restrained = [&](const std::string& state, const Restrained& r) {
        add("两端固定, " + state + "应变", "ε", Figure(r.strain), "");
        add("两端固定, " + state + "轴向应力", "σ", Figure(r.stress), unit.stress);
        if (r.force) add("两端固定, " + state + "固定点受力", "F", Figure(*r.force), unit.force);
    };
    restrained("热态", figures.hot);
    if (figures.cold) restrained("冷态", *figures.cold);
    // Δ as the lines give it: the range's size, named with its span and direction.
    add("须吸收的位移 (" + MovementSpan(request, figures) + ")", "Δ",
        Figure(std::fabs(figures.movement)), unit.length);
    const bool leg = Shown(request, Layout::Leg);
    const bool loop = Shown(request, Layout::Loop);
    if (figures.allowableRange) {
        add(RangeName(request, figures) + "的应力范围", "Ea·Δ/L", Figure(figures.stressRange),
            unit.stress);
        // A length with the value a drawing takes, rounded up.
        const auto length = [&](const std::string& quantity, const std::string& symbol,
                                const std::optional<double>& value,
                                const std::optional<double>& design) {
            if (value) add(quantity, symbol, Figure(*value), unit.length);
            if (design) add(quantity + "设计取值", symbol, Figure(*design), unit.length);
        };
        if (leg) length("L 形或 Z 形弯臂长", "Lg", figures.leg, figures.legDesign);
        if (loop) {
            length("Π 形补偿器柔性长度", "Lf", figures.loopLength, figures.loopLengthDesign);
            length("Π 形补偿器宽", "W", figures.loopWidth, figures.loopWidthDesign);
            length("Π 形补偿器高 (每臂)", "H", figures.loopHeight, figures.loopHeightDesign);
        }
    }
    if (!evaluation.line) return rows;

    const LineDesign& line = *evaluation.line;
    if (line.inertia) add("惯性矩", "I", Figure(*line.inertia), unit.inertia);
    if (leg && line.legForce) add("按 Lg 的固定点推力", "F", Figure(*line.legForce), unit.force);
    if (loop && line.loopForce) add("按 Lf 的固定点推力", "F", Figure(*line.loopForce), unit.force);
    const auto check = [&](const std::string& what, const LegCheck& c) {
        const std::string symbol = c.width ? "Lf" : "Lg";
        add(what + "长度", symbol, Figure(c.length), unit.length);
        add(what + "应力", "S", Figure(c.stress), unit.stress);
        add(what + "应力比", "S/SA", Figure(c.ratio), "");
        if (c.force) add(what + "固定点推力", "F", Figure(*c.force), unit.force);
        add(what + "结论", "",
            c.sufficient
                ? std::string("满足")
                : "不满足, 需 " + symbol + " 不小于 " + Figure(*figures.leg) + " " + unit.length +
                      " (设计取 " + Figure(*figures.legDesign) + " " + unit.length + ")",
            "");
    };
    if (leg && line.legCheck) check("给定弯臂", *line.legCheck);
    if (loop && line.loopCheck) check("给定补偿器", *line.loopCheck);
    const auto screen = [&](const std::string& what, const Screen& s) {
        add(what + "展开长度", "L", Figure(s.developed), unit.longLength);
        add(what + "固定点间距", "U", Figure(s.anchorDistance), unit.longLength);
        add(what + "位移", "y", Figure(s.displacement), unit.length);
        add(what + "筛查值", "D·y/(L-U)²", Figure(s.value), unit.screen);
        add(what + "筛查限值", "K1", Figure(s.limit), unit.screen);
        add(what + "筛查结论", "",
            std::string(s.needsAnalysis ? kAnalysisNeeded : kNoAnalysisNeeded), "");
    };
    if (leg && line.screenLeg) screen("弯臂", *line.screenLeg);
    if (loop && line.screenLoop) screen("补偿器", *line.screenLoop);
    if (Shown(request, Layout::Bellows) && line.bellows) {
        const Bellows& b = *line.bellows;
        add("伸缩节数量", "n", Figure(b.joints), "");
        add("每段长", "L/n", Figure(request.typedLength / b.joints), unit.length);
        add("每个伸缩节的位移", "δ", Figure(b.movementPerJoint), unit.length);
        add("伸缩节额定位移", "e", Figure(b.ratedMovement), unit.length);
        if (b.preset == 0) {
            add("安装时预变形", "", "无需预拉伸或预压缩", "");
        } else {
            add(b.preset > 0 ? "安装时预拉伸" : "安装时预压缩", "", Figure(std::fabs(b.preset)),
                unit.length);
        }
        if (b.pressureThrust) add("压力推力", "Fp", Figure(*b.pressureThrust), unit.force);
        add("弹性反力", "Fs", Figure(b.springForce), unit.force);
        if (b.frictionForce) add("摩擦力", "Ff", Figure(*b.frictionForce), unit.force);
        add("主固定点推力", "F", Figure(b.anchorForce), unit.force);
        add("第一导向支架距离", "", Figure(b.firstGuide), unit.length);
        add("第二导向支架距离", "", Figure(b.secondGuide), unit.length);
        if (b.guideSpacing) add("导向支架间距", "", Figure(*b.guideSpacing), unit.length);
    }
    return rows;
}

std::vector<std::string> FigureNotes(const Evaluation& evaluation) {
    std::vector<std::string> notes;
    if (!evaluation.Sound() || !evaluation.compensation) return notes;
    const Request& request = *evaluation.request;
    const Compensation& figures = *evaluation.compensation;
    const auto note = [&](std::string_view text) { notes.emplace_back(text); };
    notes.push_back("管道与补偿: " + std::string(kMethod));
    notes.push_back("弹性模量 Ea: " + ModulusSource(request));
    if (!request.pipe->wall) note(kNoWall);
    if (figures.hot.elasticBound || (figures.cold && figures.cold->elasticBound)) {
        note(kElasticBound);
    }
    if (!figures.allowableRange) {
        note(kNoAllowable);
    } else {
        if (figures.CannotBeRestrained()) {
            notes.push_back("Ea·Δ/L " + std::string(kCannotBeRestrained));
        }
        if (Shown(request, Layout::Loop)) note(kLoopProportions);
    }
    if (!evaluation.line) return notes;
    const LineDesign& line = *evaluation.line;
    // The screen is the leg's and the loop's; the joints have their notes.
    if (!Shown(request, Layout::Bellows) || !request.line) {
        note(line.screenLeg || line.screenLoop ? kScreenConditions : kNoScreen);
    }
    const auto& b = line.bellows;
    if (b && Shown(request, Layout::Bellows)) {
        const std::string basis = PresetBasis(request, figures);
        notes.push_back("安装时预变形" + std::string(kPresetUse) +
                        (basis.empty() ? "" : "; " + basis));
        if (!b->pressureThrust) note(kNoPressureThrust);
        if (!b->frictionForce) note(kNoFriction);
        note(kNoThrustBetweenJoints);
    }
    return notes;
}

}  // namespace velmarith::tool
