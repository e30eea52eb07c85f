#pragma once

#include <string>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The line's design as lines after the pipe's: the anchor force of the sized leg and loop,
// the check of a leg or loop the layout offers, the flexibility screen and the bellows joints.
std::vector<std::string> LineDesignLines(const engineering::Request& request,
                                         const engineering::Compensation& figures,
                                         const engineering::LineDesign& line);

// Each formula with its numbers, for --explain.
std::vector<std::string> LineDesignWorking(const engineering::Request& request,
                                           const engineering::Result& result,
                                           const engineering::Compensation& figures,
                                           const engineering::LineDesign& line);

// The words of a screen's outcome.
inline constexpr std::string_view kNoAnalysisNeeded = "无需正式柔性分析";
inline constexpr std::string_view kAnalysisNeeded = "需作正式柔性分析";
// What the screen is, and where it holds: said wherever its verdict is.
inline constexpr std::string_view kScreenConditions =
    "柔性判别 (B31.3 319.4.1(c) 式 (16)): 只是判别, 不是分析; 适用于一种管径, 两个固定点, "
    "其间无约束, 不适用于严重循环工况";
inline constexpr std::string_view kPresetUse = "用于受热时压缩的伸缩节";
inline constexpr std::string_view kNoThrustBetweenJoints = "伸缩节之间的中间固定点不受压力推力";
inline constexpr std::string_view kNoScreen = "未给出 SA (或 Sc 与 Sh): 不作柔性判别";
inline constexpr std::string_view kNoPressureThrust = "不计压力推力 (未给出压力或有效面积)";
inline constexpr std::string_view kNoFriction = "不计摩擦力 (未给出单位长度重量)";

// How the joints' pre-set was taken ("无冷态: δ/2"), or "" when from the cold state given.
std::string PresetBasis(const engineering::Request& request,
                        const engineering::Compensation& figures);

}  // namespace velmarith::tool
