// The printed report's figures and the plot's state points, for a steam line with a cold state:
// each figure once, its unit apart from its digits, the values velmarith-calc prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/shared/CompensationText.h"
#include "app/shared/FigureTable.h"
#include "app/shared/LineDesignText.h"
#include "app/shared/PipeSketch.h"
#include "app/shared/PlotSvg.h"

namespace velmarith::tool {
namespace {

using engineering::RequestField;

engineering::RequestText SteamLineText(const char* temperature) {
    engineering::RequestText text;
    text[RequestField::Material] = "0";
    text[RequestField::Temperature] = std::string(temperature);
    text[RequestField::Length] = "36000";
    text[RequestField::Cold] = "-10";
    text[RequestField::Diameter] = "219.1";
    text[RequestField::Wall] = "8";
    text[RequestField::Allowable] = "207";
    return text;
}

engineering::Evaluation SteamLine(const char* temperature) {
    return engineering::Evaluate(engineering::Catalogue(), SteamLineText(temperature));
}

TEST(FigureTable, EachFigureOnceWithItsUnitApart) {
    const auto rows = FigureTable(engineering::Catalogue(), SteamLine("250"));
    const auto find = [&](const std::string& quantity) -> FigureRow {
        for (const auto& row : rows) {
            if (row.quantity == quantity) return row;
        }
        return {};
    };
    struct Case {
        const char* quantity;
        const char* symbol;
        const char* value;
        const char* unit;
    };
    for (const Case& c : std::vector<Case>{
             {"平均线膨胀系数 (20 摄氏度至热态)", "α(T)", "12.55", "10⁻⁶/°C"},
             {"平均线膨胀系数 (20 摄氏度至冷态)", "α(Tc)", "10.64737", "10⁻⁶/°C"},
             {"安装至热态的膨胀量", "ΔL", "103.914", "mm"},
             {"须吸收的位移 (冷态至热态, 伸长)", "Δ", "115.4132", "mm"},
             {"冷态至热态的应力范围", "Ea·Δ/L", "652.0694", "MPa"},
             {"两端固定, 热态固定点受力", "F", "-3114.875", "kN"},
             {"L 形或 Z 形弯臂长", "Lg", "8633.657", "mm"},
             {"两端固定, 冷态应变", "ε", "-0.0003194211", ""},
         }) {
        const FigureRow row = find(c.quantity);
        EXPECT_EQ(row.symbol, c.symbol) << c.quantity;
        EXPECT_EQ(row.value, c.value) << c.quantity;
        EXPECT_EQ(row.unit, c.unit) << c.quantity;
    }
    // Neither a name nor a symbol with its value twice: Δ is the cold-to-hot movement once.
    std::vector<std::string> quantities, figures;
    for (const auto& row : rows) {
        EXPECT_EQ(row.value.find(' '), std::string::npos) << row.quantity << ": " << row.value;
        quantities.push_back(row.quantity);
        figures.push_back(row.symbol + "=" + row.value);
    }
    for (auto* list : {&quantities, &figures}) {
        std::sort(list->begin(), list->end());
        EXPECT_EQ(std::adjacent_find(list->begin(), list->end()), list->end());
    }
    EXPECT_TRUE(FigureTable(engineering::Catalogue(), SteamLine("abc")).empty());
}

// A line below its installation shrinks to its working state: the table names the span as the
// lines do, and gives Δ as the range's size.
TEST(FigureTable, ALineBelowItsInstallationShrinksToItsColdState) {
    using F = RequestField;
    engineering::RequestText text;
    for (const auto& [field, value] : {std::pair{F::Material, "2"},
                                       {F::Temperature, "-196"},
                                       {F::Length, "60000"},
                                       {F::Diameter, "168.3"},
                                       {F::Wall, "7.11"},
                                       {F::Allowable, "200"}}) {
        text[field] = value;
    }
    const engineering::Catalogue catalogue;
    const auto rows = FigureTable(catalogue, engineering::Evaluate(catalogue, text));
    for (const auto& figure : std::vector<std::pair<std::string, std::string>>{
             {"须吸收的位移 (安装至冷态, 收缩)", "190.8823"},
             {"安装至冷态的应力范围", "620.7544"},
         }) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const FigureRow& r) {
            return r.quantity == figure.first;
        });
        ASSERT_NE(row, rows.end()) << figure.first;
        EXPECT_EQ(row->value, figure.second) << figure.first;
    }
    const auto growth =
        std::find_if(rows.begin(), rows.end(), [](const FigureRow& r) { return r.symbol == "ΔL"; });
    ASSERT_NE(growth, rows.end());
    EXPECT_EQ(growth->quantity, "安装至冷态的膨胀量");
}

// The line's figures as the tool's lines give them (a verdict with the length needed, the
// pre-set in words, L/n from the length as typed), the chosen way's alone, with their notes.
TEST(FigureTable, TheChosenWaysFiguresAsTheToolPrintsThem) {
    using F = RequestField;
    engineering::RequestText text;
    for (const auto& [field, value] :
         std::vector<std::pair<F, const char*>>{{F::Material, "2"},
                                                {F::Temperature, "400"},
                                                {F::Length, "40000"},
                                                {F::Diameter, "168.3"},
                                                {F::Wall, "7.11"},
                                                {F::Allowable, "200"},
                                                {F::JointMovement, "60"},
                                                {F::JointStiffness, "500"},
                                                {F::GivenLeg, "3000"}}) {
        text[field] = value;
    }
    const char* missing = "missing";
    const struct {
        const char* way;
        std::vector<std::pair<std::string, std::string>> figures;  // quantity, value|unit
        std::vector<std::string_view> notes;
    } cases[] = {
        {"leg",
         {{"L 形或 Z 形弯臂长设计取值", "11650|mm"},
          {"给定弯臂长度", "3000|mm"},
          {"给定弯臂结论", "不满足, 需 Lg 不小于 11609.1 mm (设计取 11650 mm)|"},
          {"Π 形补偿器宽", missing},
          {"伸缩节数量", missing}},
         {kElasticBound, kScreenConditions}},
        {"bellows",
         {{"每段长", "8000|mm"},
          {"伸缩节额定位移", "60|mm"},
          {"安装时预拉伸", "27.36|mm"},
          {"主固定点推力", "13.68|kN"},
          {"L 形或 Z 形弯臂长", missing},
          {"给定弯臂结论", missing}},
         {kElasticBound, kNoPressureThrust, kNoFriction, kNoThrustBetweenJoints,
          "安装时预变形用于受热时压缩的伸缩节; 无冷态: δ/2"}},
    };
    const engineering::Catalogue catalogue;
    for (const auto& c : cases) {
        text[F::Compensation] = c.way;
        const auto evaluation = engineering::Evaluate(catalogue, text);
        const auto rows = FigureTable(catalogue, evaluation);
        const auto value = [&](const std::string& quantity) {
            for (const auto& row : rows) {
                if (row.quantity == quantity) return row.value + "|" + row.unit;
            }
            return std::string(missing);
        };
        for (const auto& [quantity, want] : c.figures) {
            EXPECT_EQ(value(quantity), want) << c.way << ": " << quantity;
        }
        // The caveats the lines give go with the table: none is lost on paper.
        const auto notes = FigureNotes(evaluation);
        for (const std::string_view needed : c.notes) {
            EXPECT_NE(std::find(notes.begin(), notes.end(), needed), notes.end())
                << c.way << ": " << needed;
        }
    }
}

// The sketch draws the chosen way alone, with the leg or loop the layout gives beside the
// one needed; both ways where none is chosen.
TEST(PipeSketch, TheChosenWayWithWhatTheLayoutGives) {
    using F = RequestField;
    const struct {
        std::vector<std::pair<F, const char*>> line;
        std::vector<std::string> drawn, absent;
    } cases[] = {
        {{}, {"class=\"l-bend\"", "class=\"loop\"", "Lg = 8633.657 mm"}, {"给定"}},
        {{{F::GivenLeg, "4000"}},
         {"class=\"l-bend\"", "Lg = 8633.657 mm", "(给定 4000 mm)"},
         {"class=\"loop\""}},
        {{{F::GivenLoopWidth, "2000"}, {F::GivenLoopHeight, "4000"}},
         {"class=\"loop\"", "W = 1726.731 mm", "给定 W × H = 2000 × 4000 mm"},
         {"class=\"l-bend\""}},
    };
    const engineering::Catalogue catalogue;
    for (const auto& c : cases) {
        engineering::RequestText text = SteamLineText("250");
        for (const auto& [field, value] : c.line) text[field] = value;
        const auto evaluation = engineering::Evaluate(catalogue, text);
        ASSERT_TRUE(evaluation.Sound());
        const std::string svg = PipeSketchSvg(*evaluation.request, *evaluation.compensation);
        for (const auto& want : c.drawn) EXPECT_NE(svg.find(want), std::string::npos) << want;
        for (const auto& unwanted : c.absent) {
            EXPECT_EQ(svg.find(unwanted), std::string::npos) << unwanted;
        }
    }
}

TEST(Plot, MarksTheInstallationAndTheColdStateBesideTheWarmest) {
    PlotRequest request;
    request.lengthMm = 36000;
    request.temperature = 250;
    request.coldCelsius = -10;
    const std::string svg = PlotSvg(engineering::Catalogue(), request);
    for (const char* mark : {"class=\"current\" data-t=\"250\" data-alpha=\"12.55\"",
                             "class=\"install\" data-t=\"20\" data-alpha=\"10.9\"",
                             "class=\"cold\" data-t=\"-10\" data-alpha=\"10.64737\"",
                             "冷态 -10摄氏度: α = 10.64737", "安装 20摄氏度: α = 10.9"}) {
        EXPECT_NE(svg.find(mark), std::string::npos) << mark;
    }
}

}  // namespace
}  // namespace velmarith::tool
