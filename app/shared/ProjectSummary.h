#pragma once

#include <string>
#include <vector>

#include "app/shared/ProjectFile.h"
#include "engineering/Evaluation.h"

namespace velmarith::tool {

// One segment in the project's summary, each figure as its lines print it, in the project's
// units and without the unit (the header names it); "" where the segment has none.
struct SummaryRow {
    std::string line;      // 管线号
    std::string material;  // the grade as given, else the material's name
    std::string hot, cold, install;
    std::string length;
    std::string movement;      // Δ, the movement the compensation takes
    std::string compensation;  // "L 形弯臂", "Π 形补偿器", "伸缩节"; "" without a pipe
    std::string size;  // "给定 Lg = 6000", "所需 W × H = 2164 × 4328", "n = 3, 预拉伸 5"
    std::string anchorLoad;  // on the anchor, of the chosen compensation (kN; lbf)
    std::string screen;      // the flexibility screen's verdict for it, when screened
    std::string fault;       // why the segment is not computed, and a repeated line number
};

// The row of a segment from its mark and, when its request could be made, its evaluation.
// Every figure is the evaluation's own.
SummaryRow SummaryOf(const engineering::Catalogue& catalogue, const ProjectSegment& segment,
                     const SegmentMark& mark, const engineering::Evaluation* evaluation);

// The columns' names, with the units: "热态温度 (摄氏度)", "长度 (mm)", "固定点推力 (kN)".
std::vector<std::string> SummaryHeader(engineering::Units units);

// The summary as CSV that Excel opens as it is: UTF-8 with a byte-order mark, the header in
// Chinese, one row a segment.
std::string SummaryCsv(const std::vector<SummaryRow>& rows, engineering::Units units);

}  // namespace velmarith::tool
