#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

#include "calc/Calculation.h"
#include "tests/support/ScriptedRuntime.h"
#include "ui/ExpansionForm.h"

namespace velmarith {
namespace {

using Lines = std::vector<std::string>;

const std::string kOutOfRange = "line:温度超过范围,请重试!";
const std::string kInvalid = "line:输入无效,请重试!";
const std::string kEmpty = "line:";

std::string CoefficientLine(const std::string& t, const std::string& value) {
    return "  " + t + "摄氏度时材料的膨胀系数为:  " + value + "mm/mm.C";
}
std::string ResultLine(const std::string& value) { return "  材料的膨胀量为: " + value + "mm"; }

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override { form.Form_Load(); }

    // List click, temperature, length: the usual way to the output button.
    void Enter(std::int16_t material, const std::string& temperature, const std::string& length) {
        runtime.position = material;
        form.Combo1_Click();
        runtime.Answer(temperature);
        form.Command2_Click();
        runtime.Answer(length);
        form.Command3_Click();
        runtime.TakeTranscript();
    }

    Lines Output(std::int16_t material, const std::string& temperature, const std::string& length) {
        Enter(material, temperature, length);
        form.Command4_Click();
        return runtime.TakeTranscript();
    }

    ScriptedRuntime runtime;
    ExpansionForm form{runtime};
};

TEST_F(FormTest, WorkedExamplesPrintTheirLinesExactly) {
    struct Case {
        std::int16_t material;
        const char* temperature;
        const char* length;
        Lines expected;
    };
    const Case cases[] = {
        {0,
         "150",
         "1000",
         {"line:" + CoefficientLine("150", "11.85"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("1.5405")}},
        {0,
         "-100",
         "1000",
         {"line:" + CoefficientLine("-100", "9.895454"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("-1.187455")}},
        {0,
         "-200",
         "2500",
         {"line:" + CoefficientLine("-200", "9"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("-4.95")}},
        {0,
         "20",
         "1000",
         {"line:" + CoefficientLine("20", "10.9"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("0")}},
        {4,
         "100",
         "1000",
         {"line:" + CoefficientLine("100", "14"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("1.12")}},
        {6,
         "100",
         "1000",
         {"line:" + CoefficientLine("100", "10.4"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("0.832")}},
        {5,
         "300",
         "-10",
         {"line:" + CoefficientLine("300", "25.4"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("-0.07112")}},
        {2,
         "800",
         "0",
         {"line:" + CoefficientLine("800", "19.3"), kEmpty, kEmpty, kEmpty,
          "line:" + ResultLine("0")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Output(c.material, c.temperature, c.length), c.expected)
            << c.material << " " << c.temperature;
    }
}

TEST_F(FormTest, ButtonsBecomeUsableOneAfterAnotherBeforeAnyPrompt) {
    runtime.position = -1;
    form.Combo1_Click();
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{kEmpty, kEmpty, kEmpty}));
    EXPECT_TRUE(runtime.enabled.empty());

    runtime.position = 4;
    form.Combo1_Click();
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{"enable:2", kEmpty, kEmpty, kEmpty}));

    runtime.Answer(std::nullopt);
    form.Command2_Click();
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{"enable:3", "prompt:请输入温度:(摄氏度)"}));

    runtime.Answer(std::nullopt);
    form.Command3_Click();
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{"enable:4", "prompt:请输入长度:(mm)"}));
    EXPECT_EQ(runtime.enabled.size(), 3u);
}

TEST_F(FormTest, TemperatureButtonChecksTheWideRangeOnce) {
    struct Case {
        const char* first;
        std::optional<std::string> second;
        Lines expected;
        std::int16_t stored;
    };
    const std::string prompt = "prompt:请输入温度:(摄氏度)";
    const std::string again = "prompt:请重新输入温度:(摄氏度)";
    const Case cases[] = {
        {"-200", {}, {"enable:3", prompt}, -200},
        {"800", {}, {"enable:3", prompt}, 800},
        {"800.5", {}, {"enable:3", prompt}, 800},
        {"-201", "1000", {"enable:3", prompt, kOutOfRange, again, "cls"}, 1000},
        {"801", "150", {"enable:3", prompt, kOutOfRange, again, "cls"}, 150},
        {"801.5", "5", {"enable:3", prompt, kOutOfRange, again, "cls"}, 5},
        // An unanswered re-prompt keeps the first answer and leaves the message standing.
        {"900", std::nullopt, {"enable:3", prompt, kOutOfRange, again}, 900},
        {"900", "abc", {"enable:3", prompt, kOutOfRange, again, kInvalid}, 900},
    };
    for (const auto& c : cases) {
        runtime.Answer(c.first);
        runtime.Answer(c.second);
        form.Command2_Click();
        runtime.answers.clear();
        EXPECT_EQ(runtime.TakeTranscript(), c.expected) << c.first;
        EXPECT_EQ(form.State().InputTemperature, c.stored) << c.first;
    }
}

TEST_F(FormTest, AnswersThatDoNotConvertChangeNothing) {
    Enter(0, "150", "1000");
    struct Case {
        std::optional<std::string> answer;
        bool message;
    };
    const Case cases[] = {
        {std::nullopt, false}, {"", false}, {"abc", true}, {"1e39", true}, {" ", true}};
    for (const auto& c : cases) {
        runtime.Answer(c.answer);
        form.Command2_Click();
        runtime.Answer(c.answer);
        form.Command3_Click();
        Lines expected = {"enable:3", "prompt:请输入温度:(摄氏度)"};
        if (c.message) expected.push_back(kInvalid);
        expected.push_back("enable:4");
        expected.push_back("prompt:请输入长度:(mm)");
        if (c.message) expected.push_back(kInvalid);
        EXPECT_EQ(runtime.TakeTranscript(), expected) << c.answer.value_or("<cancel>");
        EXPECT_EQ(form.State().InputTemperature, 150);
        EXPECT_EQ(form.State().InputLength, 1000.0f);
    }
}

TEST_F(FormTest, OutputWithoutMaterialAsksToChooseOne) {
    Enter(0, "150", "1000");
    runtime.position = -1;
    form.Command4_Click();
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{"line:请选择材料!"}));
    EXPECT_EQ(form.State().MaterialIndex, -1);
    EXPECT_EQ(form.State().Expansion, 0.0f);
}

TEST_F(FormTest, OutputRePromptsOnceOutsideTheMaterialsLimits) {
    const std::string again = "prompt:请重新输入温度:";
    Output(0, "150", "1000");  // Coefficient 11.85, Expansion 1.5405

    struct Case {
        std::int16_t material;
        std::optional<std::string> answer;
        Lines expected;
        std::int16_t stored;
    };
    // 650 by hand: 14.6 + 50 * 0.3 / 100 = 14.75; 1000 * 14.75 * 630 / 1e6 = 9.2925.
    const Case cases[] = {
        {0,
         "650",
         {kOutOfRange, again, "cls", "line:" + CoefficientLine("650", "14.75"), kEmpty, kEmpty,
          kEmpty, "line:" + ResultLine("9.2925")},
         650},
        {0, "750", {kOutOfRange, again, "cls", kOutOfRange}, 750},
        {5, "350", {kOutOfRange, again, "cls", kOutOfRange}, 350},
        {2, "850", {kOutOfRange, again, "cls", kOutOfRange}, 850},
        {6, "99", {kOutOfRange, again, "cls", kOutOfRange}, 99},
        {0, std::nullopt, {kOutOfRange, again}, 900},
        {0, "x", {kOutOfRange, again, kInvalid}, 900},
    };
    for (const auto& c : cases) {
        form.MutableState().InputTemperature = 900;
        const float coefficient = form.State().Coefficient;
        const float expansion = form.State().Expansion;
        runtime.position = c.material;
        runtime.Answer(c.answer);
        form.Command4_Click();
        const auto& expected = c.expected;
        EXPECT_EQ(runtime.TakeTranscript(), expected) << c.material;
        EXPECT_EQ(form.State().InputTemperature, c.stored);
        if (expected.size() <= 4) {
            EXPECT_EQ(form.State().Coefficient, coefficient);
            EXPECT_EQ(form.State().Expansion, expansion);
        }
    }
}

TEST_F(FormTest, ValuesSurviveClearAndNewInputReplacesOnlyItsField) {
    const Lines first = Output(0, "150", "1000");
    form.Command5_Click(1);
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{"cls"}));
    form.Command4_Click();
    EXPECT_EQ(runtime.TakeTranscript(), first);

    runtime.Answer("200");
    form.Command2_Click();
    runtime.TakeTranscript();
    form.Command4_Click();
    const auto lines = runtime.TakeTranscript();
    EXPECT_EQ(lines.front(), "line:" + CoefficientLine("200", "12.2"));
    EXPECT_EQ(lines.back(), "line:" + ResultLine("2.196"));

    runtime.position = 2;  // another material takes effect at the next press
    form.Command4_Click();
    EXPECT_EQ(runtime.TakeTranscript().front(), "line:" + CoefficientLine("200", "17.2"));
    EXPECT_EQ(form.State().MaterialIndex, 2);
    EXPECT_EQ(form.State().GridIndex, 12);
}

TEST_F(FormTest, ResultBeyondTheSingleRangeIsReportedNotStored) {
    // Unreachable from the prompts (a length converts only within the single range and the
    // coefficients are small), so the fields are set directly.
    auto& state = form.MutableState();
    state.Expansion = 7.0f;
    state.InputLength = FLT_MAX;
    state.Coefficient = FLT_MAX;
    state.InputTemperature = 700;
    ComputeExpansion(state, runtime);
    EXPECT_EQ(runtime.TakeTranscript(), (Lines{kEmpty, kEmpty, kEmpty, "line:计算结果超出范围!"}));
    EXPECT_EQ(state.Expansion, 7.0f);

    state.InputLength = -FLT_MAX;
    state.Coefficient = 25.4f;
    state.InputTemperature = 300;
    ComputeExpansion(state, runtime);
    EXPECT_EQ(runtime.TakeTranscript().back(), "line:" + ResultLine("-2.420088E+36"));
}

TEST_F(FormTest, LabelPrintsThirteenLinesBelowTheOutput) {
    form.Label1_Click();
    const auto lines = runtime.Screen();
    ASSERT_EQ(lines.size(), 13u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lines[i], "");
    EXPECT_EQ(lines[8], "       飞雪连天射白鹿");
    EXPECT_EQ(lines[10], "       笑书神侠倚碧鸳");
    EXPECT_EQ(lines[12], "                   \u2014\u2014石砚客");
    form.Label1_Click();
    EXPECT_EQ(runtime.Screen().size(), 26u);
    EXPECT_TRUE(runtime.enabled.empty());
}

}  // namespace
}  // namespace velmarith
