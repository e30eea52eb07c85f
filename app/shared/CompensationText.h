#pragma once

#include <string>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The pipe's figures as lines after the output button's: the method, the modulus and the
// allowable range with their sources, the fully restrained line, the movement, the leg of an
// L- or Z-bend and the Π loop. Each figure at 7 significant digits.
std::vector<std::string> CompensationLines(const engineering::Request& request,
                                           const engineering::Compensation& figures);

// Each formula with its numbers, for --explain.
std::vector<std::string> CompensationWorking(const engineering::Catalogue& catalogue,
                                             const engineering::Request& request,
                                             const engineering::Result& result,
                                             const engineering::Compensation& figures);

// A figure as the lines show it: 7 significant digits.
std::string Figure(double value);

// The range Δ spans: "冷态至热态", "安装至热态", or "安装至冷态" for a line that works below its
// installation; with its direction ("…, 伸长" or "…, 收缩").
std::string RangeName(const engineering::Request& request,
                      const engineering::Compensation& figures);
std::string MovementSpan(const engineering::Request& request,
                         const engineering::Compensation& figures);

// Where the modulus comes from: "给定", or the built-in table's row.
std::string ModulusSource(const engineering::Request& request);

// The notes that go with the pipe's figures, wherever they are shown.
inline constexpr std::string_view kNoWall = "未给出壁厚 t: 不计截面积与推力";
inline constexpr std::string_view kElasticBound =
    "|σ| 大于 SA: 以上应力与受力是按弹性计算的上限, 实际管线在此之前已屈服或弯曲, "
    "不会承受此荷载";
inline constexpr std::string_view kNoAllowable = "未给出 SA (或 Sc 与 Sh): 不计算弯臂与补偿器";
inline constexpr std::string_view kCannotBeRestrained = "大于 SA: 该管线不能两端固定而不设补偿";

}  // namespace velmarith::tool
