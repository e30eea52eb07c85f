#include "app/shared/ProjectSummary.h"

#include "app/shared/CompensationText.h"
#include "app/shared/CsvField.h"
#include "app/shared/InputValues.h"
#include "app/shared/LineDesignText.h"
#include "app/shared/ResultText.h"
#include "app/shared/TextEncoding.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

std::string Shown(const std::optional<double>& value) { return value ? Figure(*value) : ""; }

// The chosen compensation's size, load on the anchor and screen, as the results have them.
void Compensation(SummaryRow& row, const Request& request, const engineering::Compensation& pipe,
                  const std::optional<LineDesign>& design) {
    const Line* line = request.line ? &*request.line : nullptr;
    const Layout layout = line ? line->compensation : Layout::Leg;
    const auto verdict = [&](const std::optional<Screen>& screen) {
        if (screen) row.screen = screen->needsAnalysis ? kAnalysisNeeded : kNoAnalysisNeeded;
    };
    // A leg or loop the layout offers says whether it takes the movement, and if not, what would.
    const auto checked = [&](const std::optional<LegCheck>& check) {
        if (!design || !check) return;
        row.size += check->sufficient
                        ? ": 满足"
                        : std::string(": 不满足, 需 ") + (check->width ? "Lf" : "Lg") + " 不小于 " +
                              Figure(*pipe.leg);
    };
    switch (layout) {
        case Layout::Leg:
            row.compensation = "L 形弯臂";
            if (line && line->leg) {
                row.size = "给定 Lg = " + Figure(*line->leg);
                checked(design ? design->legCheck : std::nullopt);
            } else if (pipe.leg) {
                row.size = "所需 Lg = " + Figure(*pipe.leg);
            }
            if (design) {
                row.anchorLoad =
                    design->legCheck ? Shown(design->legCheck->force) : Shown(design->legForce);
                verdict(design->screenLeg);
            }
            break;
        case Layout::Loop:
            row.compensation = "Π 形补偿器";
            if (line && line->loopWidth && line->loopHeight) {
                row.size =
                    "给定 W × H = " + Figure(*line->loopWidth) + " × " + Figure(*line->loopHeight);
                checked(design ? design->loopCheck : std::nullopt);
            } else if (pipe.loopWidth && pipe.loopHeight) {
                row.size =
                    "所需 W × H = " + Figure(*pipe.loopWidth) + " × " + Figure(*pipe.loopHeight);
            }
            if (design) {
                row.anchorLoad =
                    design->loopCheck ? Shown(design->loopCheck->force) : Shown(design->loopForce);
                verdict(design->screenLoop);
            }
            break;
        case Layout::Bellows:
            row.compensation = "伸缩节";
            if (design && design->bellows) {
                const Bellows& b = *design->bellows;
                row.size = "n = " + Figure(b.joints) + ", " +
                           (b.preset > 0   ? "预拉伸 " + Figure(b.preset)
                            : b.preset < 0 ? "预压缩 " + Figure(-b.preset)
                                           : std::string("无预变形"));
                row.anchorLoad = Figure(b.anchorForce);
            }
            break;
    }
}

}  // namespace

SummaryRow SummaryOf(const Catalogue& catalogue, const ProjectSegment& segment,
                     const SegmentMark& mark, const Evaluation* evaluation) {
    SummaryRow row;
    row.line = segment.line;
    row.fault = mark.fault;
    if (mark.fault.empty() && evaluation && !evaluation->Sound()) row.fault = evaluation->Refusal();
    if (mark.duplicateLine) row.fault += std::string(row.fault.empty() ? "" : "; ") + "管线号重复";
    if (!mark.fault.empty() || !evaluation || !evaluation->request) {
        // The material by its name where it is known, though the segment is not computed.
        const std::string typed(segment.inputs.Text(RequestField::Material));
        const auto known = catalogue.Resolve(typed);
        row.material = !known                 ? typed
                       : known->grade.empty() ? catalogue.Name(known->id)
                                              : known->grade;
        return row;
    }
    const Request& request = *evaluation->request;
    row.material = request.grade.empty() ? catalogue.Name(request.material) : request.grade;
    row.hot = UnderstoodText(request, RequestField::Temperature);
    row.cold = UnderstoodText(request, RequestField::Cold);
    row.install = UnderstoodText(request, RequestField::Install);
    row.length = UnderstoodText(request, RequestField::Length);
    if (!evaluation->result) return row;
    const Result& result = *evaluation->result;
    if (evaluation->compensation) {
        row.movement = Figure(evaluation->compensation->movement);
        Compensation(row, request, *evaluation->compensation, evaluation->line);
    } else {
        row.movement = SingleToText(result.movement.value_or(result.expansion));
    }
    return row;
}

std::vector<std::string> SummaryHeader(Units units) {
    const std::string degrees = units == Units::Si ? " (摄氏度)" : " (°F)";
    const std::string length = " (" + std::string(LengthUnit(units)) + ")";
    const std::string force = units == Units::Si ? " (kN)" : " (lbf)";
    return {"管线号",
            "材料",
            "热态温度" + degrees,
            "冷态温度" + degrees,
            "安装温度" + degrees,
            "长度" + length,
            "位移 Δ" + length,
            "补偿方式",
            "补偿尺寸" + length,
            "固定点推力" + force,
            "柔性判别",
            "问题"};
}

std::string SummaryCsv(const std::vector<SummaryRow>& rows, Units units) {
    std::string csv(kUtf8Bom);
    const auto line = [&](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) csv += ',';
            AppendCsvField(csv, fields[i]);
        }
        csv += "\r\n";
    };
    line(SummaryHeader(units));
    for (const auto& row : rows) {
        line({row.line, row.material, row.hot, row.cold, row.install, row.length, row.movement,
              row.compensation, row.size, row.anchorLoad, row.screen, row.fault});
    }
    return csv;
}

}  // namespace velmarith::tool
