#include "app/web/Sheet.h"

#include <algorithm>
#include <cmath>

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

bool PipeField(RequestField field) { return Row(field).group != InputGroup::Calculation; }

// Why no figure is shown yet, when the form is not complete or not right. A fault in the
// pipe's or the line's fields leaves the movement's figures standing.
std::string Notice(const Sheet& sheet, const RequestText& form) {
    if (!sheet.pipeFault && !sheet.faults.empty()) return std::string(kFaultNotice);
    const bool temperature = form.Has(RequestField::Temperature);
    const bool length = form.Has(RequestField::Length);
    if (!form.Has(RequestField::Material)) return "请选择材料";
    if (!temperature && !length) return "请输入温度和长度";
    if (!temperature) return "请输入温度";
    if (!length) return "请输入长度";
    return {};
}

struct DesignUnits {
    std::string length, longLength, stress, force, screen;
};

// The pipe's figures and each way's, as velmarith-calc's lines and --json give them.
std::vector<SheetDesign> Design(const Request& request, const Compensation& figures,
                                const std::optional<LineDesign>& line) {
    const bool si = request.units == Units::Si;
    const DesignUnits unit = si ? DesignUnits{"mm", "m", "MPa", "kN", "(mm/m)²"}
                                : DesignUnits{"in", "ft", "psi", "lbf", "(in/ft)²"};
    std::vector<SheetDesign> design;
    const auto add = [](SheetDesign& to, const char* id, const char* label,
                        const std::optional<double>& value, const std::string& unitName) {
        if (value) to.figures.push_back({id, label, tool::Figure(*value), unitName});
    };
    const auto words = [](SheetDesign& to, const char* id, const char* label, std::string text) {
        to.figures.push_back({id, label, std::move(text), "", false});
    };
    SheetDesign pipe{"", "管道", {}, {}};
    add(pipe, "pipeLeg", "L 形弯臂长 Lg", figures.leg, unit.length);
    add(pipe, "pipeLoopLength", "Π 形补偿器柔性长度 Lf", figures.loopLength, unit.length);
    add(pipe, "pipeLoopWidth", "Π 形补偿器宽 W", figures.loopWidth, unit.length);
    add(pipe, "pipeLoopHeight", "Π 形补偿器每臂高 H", figures.loopHeight, unit.length);
    // The values a drawing takes, rounded up.
    add(pipe, "pipeLegDesign", "设计取 Lg", figures.legDesign, unit.length);
    add(pipe, "pipeLoopLengthDesign", "设计取 Lf", figures.loopLengthDesign, unit.length);
    add(pipe, "pipeLoopWidthDesign", "设计取 W", figures.loopWidthDesign, unit.length);
    add(pipe, "pipeLoopHeightDesign", "设计取 H", figures.loopHeightDesign, unit.length);
    add(pipe, "pipeForce", "两端固定的固定点受力 F", figures.hot.force, unit.force);
    if (figures.cold) {
        add(pipe, "pipeColdForce", "两端固定的固定点受力 F (冷态)", figures.cold->force,
            unit.force);
    }
    design.push_back(std::move(pipe));
    if (!line) return design;
    const auto check = [&](SheetDesign& to, const std::string& prefix, const LegCheck& c) {
        const auto id = [&](const char* name) { return prefix + name; };
        to.figures.push_back({id("Length"), c.width ? "给定 Lf = W + 2H" : "给定臂长 Lg",
                              tool::Figure(c.length), unit.length});
        to.figures.push_back({id("Stress"), "应力 S", tool::Figure(c.stress), unit.stress});
        to.figures.push_back({id("Ratio"), "S/SA", tool::Figure(c.ratio), ""});
        if (c.force) {
            to.figures.push_back({id("Force"), "固定点推力 F", tool::Figure(*c.force), unit.force});
        }
        to.figures.push_back({id("Verdict"), "校核",
                              c.sufficient
                                  ? std::string("满足")
                                  : std::string("不满足, 需 ") + (c.width ? "Lf" : "Lg") +
                                        " 不小于 " + tool::Figure(*figures.leg) + " " + unit.length,
                              "", false});
    };
    const auto screen = [&](SheetDesign& to, const std::string& prefix, const Screen& s) {
        const auto id = [&](const char* name) { return prefix + name; };
        to.figures.push_back(
            {id("Developed"), "柔性判别 L", tool::Figure(s.developed), unit.longLength});
        to.figures.push_back(
            {id("AnchorDistance"), "U", tool::Figure(s.anchorDistance), unit.longLength});
        to.figures.push_back({id("Displacement"), "y", tool::Figure(s.displacement), unit.length});
        to.figures.push_back({id("Value"), "D·y/(L - U)²", tool::Figure(s.value), unit.screen});
        to.figures.push_back({id("Limit"), "K1", tool::Figure(s.limit), unit.screen});
        to.figures.push_back(
            {id("Verdict"), "柔性判别",
             std::string(s.needsAnalysis ? tool::kAnalysisNeeded : tool::kNoAnalysisNeeded), "",
             false});
        to.notes.emplace_back(tool::kScreenConditions);
    };
    SheetDesign leg{"leg", "L 形弯", {}, {}};
    add(leg, "legForce", "按计算臂长的固定点推力 F", line->legForce, unit.force);
    if (line->legCheck) check(leg, "legCheck", *line->legCheck);
    if (line->screenLeg) screen(leg, "screenLeg", *line->screenLeg);
    design.push_back(std::move(leg));
    SheetDesign loop{"loop", "Π 形补偿器", {}, {}};
    add(loop, "loopForce", "按计算尺寸的固定点推力 F", line->loopForce, unit.force);
    if (line->loopCheck) check(loop, "loopCheck", *line->loopCheck);
    if (line->screenLoop) screen(loop, "screenLoop", *line->screenLoop);
    design.push_back(std::move(loop));
    if (const auto& b = line->bellows) {
        SheetDesign joints{"bellows", "轴向波纹管伸缩节", {}, {}};
        add(joints, "bellowsJoints", "个数 n", b->joints, "个");
        add(joints, "bellowsPartLength", "每段长 L/n", request.typedLength / b->joints,
            unit.length);
        add(joints, "bellowsMovement", "每个位移 δ", b->movementPerJoint, unit.length);
        add(joints, "bellowsRated", "额定位移", b->ratedMovement, unit.length);
        if (b->preset != 0) {
            add(joints, "bellowsPreset", b->preset > 0 ? "安装时预拉伸" : "安装时预压缩",
                std::fabs(b->preset), unit.length);
        } else {
            words(joints, "bellowsPreset", "安装时预变形", "无需预拉伸或预压缩");
        }
        if (b->pressureThrust) {
            add(joints, "bellowsPressureThrust", "压力推力 Fp = P·Aeff", b->pressureThrust,
                unit.force);
        } else {
            words(joints, "bellowsPressureThrust", "压力推力 Fp", "不计 (未给出压力或有效面积)");
        }
        add(joints, "bellowsSpringForce", "弹性力 Fs = K·δ/2", b->springForce, unit.force);
        if (b->frictionForce) {
            add(joints, "bellowsFrictionForce", "摩擦力 Ff = μ·q·L/n", b->frictionForce,
                unit.force);
        } else {
            words(joints, "bellowsFrictionForce", "摩擦力 Ff", "不计 (未给出单位长度重量)");
        }
        add(joints, "bellowsAnchorForce", "主固定点推力 F = Fp + Fs + Ff", b->anchorForce,
            unit.force);
        add(joints, "bellowsFirstGuide", "第一导向支架距伸缩节 ≤ 4D", b->firstGuide, unit.length);
        add(joints, "bellowsSecondGuide", "第二导向支架距第一个 ≤ 14D", b->secondGuide,
            unit.length);
        if (b->guideSpacing) {
            add(joints, "bellowsGuideSpacing", "其后导向支架间距 ≤ Lmax", b->guideSpacing,
                unit.length);
        } else {
            words(joints, "bellowsGuideSpacing", "其后导向支架间距", "无轴向压力, 不受失稳限制");
        }
        const std::string basis = tool::PresetBasis(request, figures);
        joints.notes = {
            "预变形" + std::string(tool::kPresetUse) + (basis.empty() ? "" : "; " + basis),
            std::string(tool::kNoThrustBetweenJoints)};
        design.push_back(std::move(joints));
    }
    return design;
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
    // A fault of the pipe's or the line's alone: the request without them for the rest.
    sheet.pipeFault = !sheet.faults.empty() &&
                      std::all_of(sheet.faults.begin(), sheet.faults.end(),
                                  [](const RequestFault& fault) { return PipeField(fault.field); });
    if (sheet.pipeFault) {
        RequestText bare = form;
        for (const auto& row : Inputs()) {
            if (PipeField(row.field)) bare[row.field].reset();
        }
        evaluation = Evaluate(catalogue, bare);
    }
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
        sheet.design = Design(request, figures, evaluation.line);
        if (evaluation.line && evaluation.line->bellows) {
            sheet.bellowsSketch = tool::BellowsSketchSvg(request, *evaluation.line->bellows);
        }
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
