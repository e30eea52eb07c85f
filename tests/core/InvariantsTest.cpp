#include <gtest/gtest.h>

#include "tests/support/Invariants.h"

namespace velmarith::testing {
namespace {

using Lines = std::vector<std::string>;

// The checker behind the fuzz target and the random window sessions must see the faults it
// is there for.
TEST(Invariants, OutputPressShapes) {
    WindowState state;
    BuildMaterialTables(state.Tables);
    state.InputTemperature = 150;
    state.Expansion = 1.5405f;
    const std::string coefficient = "  150摄氏度时材料的膨胀系数为:  11.85mm/mm.C";
    const std::string result = "  材料的膨胀量为: 1.5405mm";
    struct Case {
        Lines printed;
        int position;
        bool holds;
    };
    const Case cases[] = {
        {{coefficient, "", "", "", result}, 0, true},
        {{"温度超过范围,请重试!", "<cls>", coefficient, "", "", "", result}, 0, true},
        {{"请选择材料!"}, -1, true},
        {{coefficient, "", "", "", "  材料的膨胀量为: 1.5406mm"}, 0, false},
        {{"", "", "", result}, 0, false},
        {{coefficient, "", "", result}, 0, false},
        {{"请选择材料!", coefficient, "", "", "", result}, -1, false},
        {{"温度超过范围,请重试!"}, 0, false},  // 150 is within the limits of material 0
        {{"温度超过范围,请重试!"}, 6, false},  // 150 lies within 100..500 as well
        {{"输入无效,请重试!", "<cls>", coefficient, "", "", "", result}, 0, false},
    };
    state.InputTemperature = 150;
    for (const auto& c : cases) {
        const bool holds = CheckOutputPress(c.printed, state, c.position).empty();
        EXPECT_EQ(holds, c.holds) << c.printed.size() << " lines, position " << c.position;
    }
    state.InputTemperature = 900;
    EXPECT_TRUE(
        CheckOutputPress({"温度超过范围,请重试!", "<cls>", "温度超过范围,请重试!"}, state, 0)
            .empty());
    EXPECT_FALSE(CheckOutputPress(
                     {"  900摄氏度时材料的膨胀系数为:  14.9mm/mm.C", "", "", "", result}, state, 0)
                     .empty());
}

TEST(Invariants, LinesTheWindowNeverPrints) {
    EXPECT_TRUE(CheckLine("").empty());
    EXPECT_TRUE(CheckLine("       飞雪连天射白鹿").empty());
    EXPECT_TRUE(CheckLine("  材料的膨胀量为: -2.420088E+36mm").empty());
    EXPECT_FALSE(CheckLine("  材料的膨胀量为: nanmm").empty());
    EXPECT_FALSE(CheckLine("  150摄氏度时材料的膨胀系数为:  inf mm/mm.C").empty());
    EXPECT_FALSE(CheckLine("Error").empty());
}

}  // namespace
}  // namespace velmarith::testing
