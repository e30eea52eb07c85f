// The line's design: the bellows anchor load and guide spacing, the flexibility screen, and
// the inputs it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

#include "engineering/Evaluation.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

TEST(CompensationLine, BellowsAnchorLoadIsThrustPlusSpring) {
    // 200 psi on 126 in², and a joint of 5255 lbf/in half a stroke (0.5 in) from free length.
    const double thrust = PressureThrust(Units::Us, 200, 126);
    const double spring = SpringForce(Units::Us, 5255, 0.5);
    EXPECT_DOUBLE_EQ(thrust, 25200);
    EXPECT_DOUBLE_EQ(spring, 2627.5);
    EXPECT_DOUBLE_EQ(thrust + spring, 27827.5);
    // 1 MPa on 1 cm² is 100 N: 1.6 MPa on 450 cm² is 72 kN.
    EXPECT_DOUBLE_EQ(PressureThrust(Units::Si, 1.6, 450), 72);
}

TEST(CompensationLine, GuideSpacingOfAFourInchLine) {
    // 4" Sch 40: I = 7.23 in⁴, Ea = 29.5·10⁶ psi, 2 400 lbf: 39.0 ft.
    const double spacing = GuideSpacing(Units::Us, 29.5e6, 7.23, 2400);
    EXPECT_NEAR(spacing / 12, 39.0, 0.05);
    EXPECT_NEAR(spacing, 468.268, 0.001);
}

TEST(CompensationLine, ScreenOfAnLBendNeedsAnalysis) {
    // DN200, run 12 m, leg 6 m, 2.16 mm/m over the run (25.92 mm), SA 207, Ea 203 000 MPa.
    const Screen screen = ScreenLBend(Units::Si, 219.1, 25.92, 12000, 6000, 207, 203000);
    EXPECT_NEAR(screen.value, 302.2, 0.05);
    EXPECT_NEAR(screen.limit, 212.1, 0.05);
    EXPECT_NEAR(screen.developed, 18, 1e-12);
    EXPECT_NEAR(screen.anchorDistance, 13.4164, 0.0001);
    EXPECT_TRUE(screen.needsAnalysis);
}

TEST(CompensationLine, EachFaultIsRefusedNamingItsField) {
    using F = RequestField;
    struct Case {
        std::vector<std::pair<F, const char*>> given;  // added to a sound pipe
        std::vector<F> removed;
        F field;
    };
    const Case cases[] = {
        {{{F::GivenLeg, "0"}}, {}, F::GivenLeg},
        {{{F::GivenLoopWidth, "-2000"}, {F::GivenLoopHeight, "3000"}}, {}, F::GivenLoopWidth},
        {{{F::GivenLoopWidth, "2000"}, {F::GivenLoopHeight, "0"}}, {}, F::GivenLoopHeight},
        {{{F::GivenLoopWidth, "2000"}}, {}, F::GivenLoopHeight},
        {{{F::GivenLoopHeight, "3000"}}, {}, F::GivenLoopWidth},
        {{{F::GivenLeg, "6000"}}, {F::Allowable}, F::Allowable},
        {{{F::GivenLeg, "6000"}}, {F::Diameter, F::Wall, F::Allowable}, F::Diameter},
        {{{F::JointMovement, "0"}, {F::JointStiffness, "500"}}, {}, F::JointMovement},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "-500"}}, {}, F::JointStiffness},
        {{{F::JointMovement, "20"}}, {}, F::JointStiffness},
        {{{F::JointStiffness, "500"}}, {}, F::JointMovement},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}, {F::JointArea, "0"}},
         {},
         F::JointArea},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}, {F::Pressure, "-1.6"}},
         {},
         F::Pressure},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}, {F::Pressure, "1.6"}},
         {},
         F::JointArea},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}, {F::Friction, "-0.1"}},
         {},
         F::Friction},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}, {F::Weight, "0"}}, {}, F::Weight},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}}, {F::Wall}, F::Wall},
        {{{F::JointMovement, "20"}, {F::JointStiffness, "500"}},
         {F::Diameter, F::Wall, F::Allowable},
         F::Diameter},
    };
    const Catalogue catalogue;
    for (const Case& c : cases) {
        RequestText text;
        text[F::Material] = "0";
        text[F::Temperature] = "150";
        text[F::Length] = "12000";
        text[F::Diameter] = "219.1";
        text[F::Wall] = "8.18";
        text[F::Allowable] = "207";
        for (const F field : c.removed) text[field].reset();
        for (const auto& [field, value] : c.given) text[field] = value;
        const Evaluation evaluation = Evaluate(catalogue, text);
        const std::string name(Row(c.field).key);
        ASSERT_FALSE(evaluation.faults.empty()) << name;
        EXPECT_EQ(evaluation.faults.front().field, c.field)
            << name << ": " << evaluation.faults.front().message;
        EXPECT_FALSE(evaluation.Sound()) << name;
        EXPECT_FALSE(evaluation.line) << name;
    }
}

// Counts and verdicts agree with the figures printed beside them, and the run is the length
// as typed, not its single-precision copy.
TEST(CompensationLine, CountsAndVerdictsFollowThePrintedFigures) {
    using F = RequestField;
    const auto evaluate = [](const std::vector<std::pair<F, const char*>>& inputs) {
        RequestText text;
        for (const auto& [field, value] : inputs) text[field] = value;
        return Evaluate(Catalogue(), text);
    };
    // Δ prints as 24.28909 and 131.175 mm: a joint rated at that takes it alone.
    for (const auto& [material, hot, rated] :
         {std::tuple{"7", "78", "24.28909"}, std::tuple{"0", "350", "131.175"}}) {
        const auto joint = evaluate({{F::Material, material},
                                     {F::Temperature, hot},
                                     {F::Length, "30000"},
                                     {F::Diameter, "219.1"},
                                     {F::Wall, "8"},
                                     {F::JointMovement, rated},
                                     {F::JointStiffness, "500"}});
        ASSERT_TRUE(joint.line && joint.line->bellows) << joint.Refusal();
        EXPECT_EQ(joint.line->bellows->joints, 1) << rated;
    }
    // A leg of exactly the Lg printed: S = SA to 7 digits is sufficient.
    const auto leg = evaluate({{F::Material, "1"},
                               {F::Temperature, "36"},
                               {F::Length, "40000"},
                               {F::Diameter, "168.3"},
                               {F::Wall, "7.11"},
                               {F::Allowable, "207"},
                               {F::GivenLeg, "1861.573"}});
    ASSERT_TRUE(leg.line && leg.line->legCheck) << leg.Refusal();
    EXPECT_TRUE(leg.line->legCheck->sufficient);
    // 87654.3 mm is 87654.296875 as a single: the friction over L/n takes the typed length.
    const auto friction = evaluate({{F::Material, "3"},
                                    {F::Temperature, "442"},
                                    {F::Length, "87654.3"},
                                    {F::Diameter, "88.9"},
                                    {F::Wall, "11.66"},
                                    {F::Allowable, "100"},
                                    {F::JointMovement, "60"},
                                    {F::JointStiffness, "1200"},
                                    {F::Weight, "300"}});
    ASSERT_TRUE(friction.line && friction.line->bellows) << friction.Refusal();
    EXPECT_EQ(DoubleToShortText(*friction.line->bellows->frictionForce), "0.9861109");
}

TEST(CompensationLine, AnUnusualValueIsTakenWithAWarningThatGuessesTheSlip) {
    struct Case {
        RequestField field;
        double value;
        Units units;
        const char* warning;  // nullptr: none
    };
    using F = RequestField;
    const Case cases[] = {
        {F::GivenLeg, 6, Units::Si, "Lg = 6 mm: 是否按 m 输入?"},
        {F::GivenLeg, 6000, Units::Si, nullptr},
        {F::GivenLoopHeight, 240, Units::Us, nullptr},
        {F::JointMovement, 2000, Units::Si, "e = 2000 mm: 超出常见范围 1 ~ 1000 mm"},
        {F::JointStiffness, 2.5, Units::Si, "K = 2.5 N/mm: 是否按 kN/mm 输入?"},
        {F::JointStiffness, 300000, Units::Si, "K = 300000 N/mm: 是否按 N/m 输入?"},
        {F::JointStiffness, 5255, Units::Us, nullptr},
        {F::JointArea, 0.025, Units::Si, "Aeff = 0.025 cm²: 是否按 m² 输入?"},
        {F::JointArea, 126, Units::Us, nullptr},
        {F::Pressure, 1600, Units::Si, "P = 1600 MPa: 是否按 kPa 输入?"},
        {F::Pressure, 200, Units::Us, nullptr},
        {F::Friction, 30, Units::Si, "μ = 30: 超出常见范围 0 ~ 1"},
        {F::Weight, 2.5, Units::Si, "q = 2.5 N/m: 是否按 kN/m 输入?"},
        {F::Weight, 30, Units::Us, nullptr},
    };
    for (const Case& c : cases) {
        const auto warning = PlausibilityWarning(Row(c.field), c.value, c.units);
        if (c.warning == nullptr) {
            EXPECT_FALSE(warning) << Row(c.field).key << " " << c.value << ": " << warning->message;
        } else {
            ASSERT_TRUE(warning) << Row(c.field).key << " " << c.value;
            EXPECT_EQ(warning->message, c.warning);
        }
    }
}

TEST(CompensationLine, NoFrictionAndNoMovementAreNoFault) {
    using F = RequestField;
    RequestText text;
    text[F::Material] = "0";
    text[F::Temperature] = "20";  // the installation's: no movement
    text[F::Length] = "12000";
    text[F::Diameter] = "219.1";
    text[F::Wall] = "8.18";
    text[F::Allowable] = "207";
    text[F::JointMovement] = "20";
    text[F::JointStiffness] = "500";
    text[F::Friction] = "0";
    text[F::Weight] = "900";
    const Evaluation evaluation = Evaluate(Catalogue(), text);
    ASSERT_TRUE(evaluation.Sound()) << evaluation.Refusal();
    ASSERT_TRUE(evaluation.line && evaluation.line->bellows);
    const Bellows& b = *evaluation.line->bellows;
    EXPECT_EQ(b.joints, 1);
    EXPECT_EQ(b.anchorForce, 0);
    EXPECT_FALSE(b.guideSpacing);  // nothing pushes on the line
    EXPECT_EQ(evaluation.line->screenLeg->value, 0);
}

}  // namespace
}  // namespace velmarith::engineering
