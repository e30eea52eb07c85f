#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <variant>
#include <vector>

#include "app/shared/MaterialsText.h"
#include "app/shared/PlotSvg.h"
#include "engineering/Figures.h"
#include "engineering/MaterialRecords.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

struct Texts {
    std::string material{}, temperature{}, length{}, install{}, cold{};
    Units units = Units::Si;
};

std::variant<Result, std::string> Figures(const Catalogue& catalogue, const Texts& t) {
    RequestText text;
    text[RequestField::Material] = t.material;
    text[RequestField::Temperature] = t.temperature;
    text[RequestField::Length] = t.length;
    if (!t.install.empty()) text[RequestField::Install] = t.install;
    if (!t.cold.empty()) text[RequestField::Cold] = t.cold;
    text.SetUnits(t.units);
    auto parsed = ParseRequest(catalogue, text);
    if (auto* message = std::get_if<std::string>(&parsed)) return *message;
    return Calculate(catalogue, std::get<Request>(parsed));
}

std::string Text(const std::optional<float>& value) {
    return value ? SingleToText(*value) : std::string("none");
}

std::vector<UserMaterial> Materials(const std::string& file) {
    auto read = tool::ReadMaterialsText(file);
    EXPECT_TRUE(std::holds_alternative<std::vector<UserMaterial>>(read)) << file;
    if (auto* materials = std::get_if<std::vector<UserMaterial>>(&read)) return *materials;
    return {};
}

const std::string kCopperAndTitanium =
    "name,reference_C,temperature_C,alpha_per_C\n"
    "紫铜 T2,20,-200,14.0\n紫铜 T2,20,20,16.5\n紫铜 T2,20,300,17.9\n"
    "钛 TA2,0,0,8.6\n钛 TA2,0,100,8.8\n钛 TA2,0,400,9.4\n"
    "高温 H,50,100,12\n高温 H,50,300,13\n";

// Figures worked out by hand from the tables and ΔL(T1→T2) = L·(α2·(T2 − Tr) − α1·(T1 − Tr))/1e6.
TEST(Figures, AgreeWithTheFiguresWorkedOutByHand) {
    const Catalogue catalogue(Materials(kCopperAndTitanium));
    struct Case {
        const char* what;
        Texts in;
        const char* expansion;
        const char* coldExpansion;
        const char* movement;
    };
    const Case cases[] = {
        {"a loop from -20 to 350 °C",
         {"0", "350", "30000", "", "-20"},
         "131.175",
         "-12.67579",
         "143.8508"},
        {"100 ft of austenitic steel from 70 to 600 °F",
         {"2", "600", "1200", "70", "", Units::Us},
         "6.242327",
         "none",
         "none"},
        {"302 °F is 150 °C: the window's 1.5405 mm in inches",
         {"0", "302", "39.37008", "", "", Units::Us},
         "0.06064961",
         "none",
         "none"},
        {"a user material at a point", {"紫铜 T2", "300", "1000"}, "5.012", "none", "none"},
        {"a user material between points", {"紫铜 T2", "160", "1000"}, "2.408", "none", "none"},
        {"a reference of 0 °C, installed at 20 °C",
         {"钛 TA2", "100", "1000"},
         "0.7072",
         "none",
         "none"},
        {"a cold state that is the installation",
         {"0", "150", "1000", "", "20"},
         "1.5405",
         "0",
         "1.5405"},
        // A material's reference temperature needs no coefficient: its term is zero.
        {"grey cast iron from ambient, below its range",
         {"6", "400", "1000", "", "20"},
         "4.598",
         "0",
         "4.598"},
        {"the same in US units",
         {"6", "752", "39.37008", "", "68", Units::Us},
         "0.1810236",
         "0",
         "0.1810236"},
        {"installed at a reference outside the range",
         {"高温 H", "200", "1000", "50"},
         "1.875",
         "none",
         "none"},
        {"a true minus sign", {"0", "\u2212100", "1000"}, "-1.187455", "none", "none"},
    };
    for (const auto& c : cases) {
        const auto figures = Figures(catalogue, c.in);
        ASSERT_TRUE(std::holds_alternative<Result>(figures))
            << c.what << ": " << std::get<std::string>(figures);
        const Result& result = std::get<Result>(figures);
        EXPECT_EQ(SingleToText(result.expansion), c.expansion) << c.what;
        EXPECT_EQ(Text(result.coldExpansion), c.coldExpansion) << c.what;
        EXPECT_EQ(Text(result.movement), c.movement) << c.what;
    }
}

// A whole °F temperature that is a whole °C temperature looks up exactly what the window does.
TEST(Figures, FahrenheitTemperaturesMeetTheCelsiusGrid) {
    const Catalogue catalogue;
    const CoefficientCache cache(catalogue);
    for (const double celsius : {-200.0, -130.0, 20.0, 100.0, 150.0, 700.0}) {
        const double fahrenheit = CelsiusToFahrenheit(celsius);
        EXPECT_EQ(FahrenheitToCelsius(fahrenheit), celsius);
        const auto si = catalogue.Lookup(0, celsius, &cache);
        const auto us = catalogue.Lookup(0, FahrenheitToCelsius(fahrenheit), &cache);
        ASSERT_TRUE(si && us);
        EXPECT_EQ(si->valueText, us->valueText) << celsius;
    }
    // Fractional °F are never rounded to whole degrees: 600.5 °F lies between 315 and 316 °C.
    const auto between = catalogue.Lookup(2, FahrenheitToCelsius(600.5), &cache);
    ASSERT_TRUE(between);
    EXPECT_GT(between->coefficient, catalogue.Lookup(2, 315.0, &cache)->coefficient);
    EXPECT_LT(between->coefficient, catalogue.Lookup(2, 316.0, &cache)->coefficient);
}

TEST(Figures, RefuseWhatCannotBeComputedHonestly) {
    const Catalogue catalogue(Materials(kCopperAndTitanium));
    struct Case {
        Texts in;
        const char* message;
    };
    const Case cases[] = {
        {{"0", "-500", "1", "", "", Units::Us}, "不得低于绝对零度 -459.67°F"},
        {{"0", "100", "3e38", "", "", Units::Us}, "长度超出范围"},
        {{"0", "100", "1000", "", "150"}, "冷态温度 150 摄氏度高于温度 100 摄氏度"},
        {{"0", "100", "1000", "", "-201"}, "冷态温度超过范围: -201 摄氏度不在 -200 ~ 700"},
        {{"紫铜 T2", "301", "1000"}, "不在 -200 ~ 300 摄氏度之内"},
        {{"钛 TA2", "100", "1000", "-10"}, "安装温度超过范围"},
        {{"0", "1300", "1", "", "", Units::Us}, "-328 ~ 1292°F (-200 ~ 700 摄氏度)"},
        {{"铜", "100", "1"}, "未知材料: \"铜\""},
        // The default installation is 20 °C; the message names the material's own reference.
        {{"高温 H", "200", "1000"}, "安装温度超过范围: 20 摄氏度 (安装温度应为 50 摄氏度, 或在"},
        {{"高温 H", "200", "1000", "150", "20"}, "冷态温度超过范围: 20 摄氏度不在 100 ~ 300"},
        {{"高温 H", "200", "1000", "x"}, "安装温度无效: \"x\" (应为 50 摄氏度或 100 ~ 300"},
        {{"0", "150", std::string(400, '1')}, "长度无效: \"111111111111111111111111…\" (数值过大)"},
    };
    for (const auto& c : cases) {
        const auto figures = Figures(catalogue, c.in);
        ASSERT_TRUE(std::holds_alternative<std::string>(figures)) << c.message;
        EXPECT_NE(std::get<std::string>(figures).find(c.message), std::string::npos)
            << std::get<std::string>(figures);
    }
}

TEST(MaterialsFile, ReadsBothUnitsAndRefusesEveryFaultWithItsLine) {
    const auto us = Materials(
        "\xEF\xBB\xBFname,reference_F,temperature_F,alpha_per_F\nB,68,32,5\nB,68,212,6\n");
    ASSERT_EQ(us.size(), 1u);
    EXPECT_EQ(us[0].reference, 20);
    EXPECT_EQ(us[0].points[1].temperature, 100);
    EXPECT_EQ(us[0].points[1].alpha, 6 * 1.8);

    const std::string header = "name,reference_C,temperature_C,alpha_per_C\n";
    struct Case {
        std::string file;
        long long line;
        const char* reason;
    };
    const Case cases[] = {
        {"", 0, "文件为空"},
        {"a,b\nX,20,1,1\n", 1, "表头应为"},
        {header + "X,20,100,1\nX,20,100,2\n", 3, "应严格递增"},
        {header + "X,20,100,1\n", 2, "至少要 2 个"},
        {header + "X,20,1,inf\nX,20,2,1\n", 2, "不是有限的数"},
        {header + "X,20,1,1\nX,0,2,1\n", 3, "只能有一个参考温度"},
        {header + "奥氏体钢,20,1,1\n奥氏体钢,20,2,1\n", 2, "内置材料"},
        {header + "3,20,1,1\n3,20,2,1\n", 2, "内置材料"},
        {header + "X,20,1,1\nX,20,2,1\nY,20,1,1\nY,20,2,1\nX,20,3,1\nX,20,4,1\n", 6, "已在前面"},
        {header + "X,20,1\n", 2, "应有4列"},
        {header + "X,20,\"1,1\n", 2, "引号"},
        {header + "X,20,-300,1\nX,20,1,1\n", 2, "绝对零度"},
        {std::string("\x00\x01\x02", 3), 0, "不是"},
    };
    for (const auto& c : cases) {
        const auto read = tool::ReadMaterialsText(c.file);
        ASSERT_TRUE(std::holds_alternative<std::vector<MaterialFault>>(read)) << c.reason;
        const auto& faults = std::get<std::vector<MaterialFault>>(read);
        bool found = false;
        for (const auto& fault : faults) {
            found |= fault.line == c.line && fault.reason.find(c.reason) != std::string::npos;
        }
        EXPECT_TRUE(found) << c.reason << ": " << faults.front().line << " "
                           << faults.front().reason;
    }
    // The limits: 65 materials, 257 points.
    std::string many = header;
    for (int i = 0; i < 65; ++i) {
        many += "M" + std::to_string(i) + ",20,1,1\nM" + std::to_string(i) + ",20,2,1\n";
    }
    EXPECT_TRUE(std::holds_alternative<std::vector<MaterialFault>>(tool::ReadMaterialsText(many)));
    std::string long_ = header;
    for (int i = 0; i < 257; ++i) long_ += "L,20," + std::to_string(i) + ",1\n";
    EXPECT_TRUE(std::holds_alternative<std::vector<MaterialFault>>(tool::ReadMaterialsText(long_)));
}

// What the workbench keeps and exports reads back as the very same materials: names CSV must
// quote, and numbers whose shortest text is not their 7-digit one.
TEST(MaterialsFile, WrittenFileReadsBackExactly) {
    const std::vector<UserMaterial> kept = {
        {"铜, \"T2\"", 0, {{-273.15, 0.1}, {1e-7, 16.9}, {123456.789, 17.400000000000002}}},
        {" 空格 ", 20, {{20, 8.6}, {300.0000001, 1.0 / 3}}},
        {"F", 68.5, {{-100, 12.345678901234567}, {1e15, 2e-300}}},
    };
    const auto read = tool::ReadMaterialsText(tool::MaterialsCsv(kept));
    ASSERT_TRUE(std::holds_alternative<std::vector<UserMaterial>>(read))
        << std::get<std::vector<MaterialFault>>(read).front().reason;
    const auto& back = std::get<std::vector<UserMaterial>>(read);
    ASSERT_EQ(back.size(), kept.size());
    for (std::size_t m = 0; m < kept.size(); ++m) {
        EXPECT_EQ(back[m].name, kept[m].name);
        EXPECT_EQ(back[m].reference, kept[m].reference);
        ASSERT_EQ(back[m].points.size(), kept[m].points.size());
        for (std::size_t i = 0; i < kept[m].points.size(); ++i) {
            EXPECT_EQ(back[m].points[i].temperature, kept[m].points[i].temperature);
            EXPECT_EQ(back[m].points[i].alpha, kept[m].points[i].alpha);
        }
    }
    EXPECT_NE(tool::MaterialsCsv(kept).find(",20,8.6\n"), std::string::npos);  // plain, not 2E+01
}

// The current point's label starts inside the plot area wherever the point is, the top of a
// range included, where it used to run over the right axis.
TEST(Plot, TheCurrentPointsLabelStaysInsideThePlot) {
    const Catalogue catalogue;
    const std::regex label("class=\"current-label\" x=\"([^\"]+)\" y=\"([^\"]+)\"");
    for (const auto& [material, celsius] :
         std::vector<std::pair<int, double>>{{5, 300}, {6, 500}, {2, 800}, {0, 150}, {0, -200}}) {
        tool::PlotRequest request;
        request.material = material;
        request.lengthMm = 1000;
        request.temperature = celsius;
        const std::string svg = tool::PlotSvg(catalogue, request);
        std::smatch found;
        ASSERT_TRUE(std::regex_search(svg, found, label)) << material;
        const double x = std::stod(found[1]);
        const double y = std::stod(found[2]);
        EXPECT_TRUE(x >= 80 && x + 110 <= 560 && y - 12 >= 60 && y <= 330)
            << material << " " << celsius << ": " << x << ", " << y;
    }
}

// The picture's marked points are the table's points, read back from the SVG.
TEST(Plot, MarksEveryTablePointAndTheCurrentOne) {
    const Catalogue catalogue(Materials(kCopperAndTitanium));
    const std::regex point("<circle class=\"point\" data-t=\"([^\"]+)\" data-alpha=\"([^\"]+)\"");
    for (const int material : {0, 6, 8}) {
        tool::PlotRequest request;
        request.material = material;
        request.lengthMm = 1000;
        request.temperature = catalogue.Low(material) + 1;
        const std::string svg = tool::PlotSvg(catalogue, request);
        std::vector<std::pair<std::string, std::string>> marked;
        for (auto it = std::sregex_iterator(svg.begin(), svg.end(), point);
             it != std::sregex_iterator(); ++it) {
            marked.emplace_back((*it)[1], (*it)[2]);
        }
        // The points as the table prints them: the window's grid and elements, or the file's.
        using Points = std::vector<std::pair<std::string, std::string>>;
        const Points table =
            material == 0
                ? Points{{"-200", "9"},   {"-130", "9.65"}, {"-75", "10.1"}, {"20", "10.9"},
                         {"100", "11.5"}, {"200", "12.2"},  {"300", "12.9"}, {"400", "13.6"},
                         {"500", "14.2"}, {"600", "14.6"},  {"700", "14.9"}}
            : material == 6 ? Points{{"100", "10.4"},
                                     {"200", "11"},
                                     {"300", "11.6"},
                                     {"400", "12.1"},
                                     {"500", "12.7"}}
                            : Points{{"-200", "14"}, {"20", "16.5"}, {"300", "17.9"}};
        EXPECT_EQ(marked, table) << material;
        // One degree above the lowest point, worked by hand.
        const char* current = material == 0 ? "9.009286" : material == 6 ? "10.406" : "14.01136";
        EXPECT_NE(svg.find("class=\"current\" data-t=\"" + DoubleToText(*request.temperature) +
                           "\" data-alpha=\"" + current + "\""),
                  std::string::npos)
            << material;
        EXPECT_NE(svg.find("class=\"expansion\""), std::string::npos);
        EXPECT_LT(svg.size(), 16u * 1024);
    }
}

}  // namespace
}  // namespace velmarith::engineering
