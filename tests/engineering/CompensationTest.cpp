#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/shared/CompensationText.h"
#include "app/shared/LineDesignText.h"
#include "app/shared/MaterialsText.h"
#include "engineering/Evaluation.h"

namespace velmarith::engineering {
namespace {

// The pipe's fields in order (D, t, Ea, SA, Sc, Sh, N); nullptr for one not given.
using PipeFields = std::array<const char*, 7>;

void SetPipe(RequestText& text, const PipeFields& fields) {
    constexpr RequestField kOrder[] = {RequestField::Diameter,      RequestField::Wall,
                                       RequestField::Modulus,       RequestField::Allowable,
                                       RequestField::ColdAllowable, RequestField::HotAllowable,
                                       RequestField::Cycles};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] != nullptr) text[kOrder[i]] = fields[i];
    }
}

struct Pipe {
    std::string material, hot, length, install, cold;
    PipeFields pipe;
    Units units = Units::Si;
};

Evaluation Evaluated(const Catalogue& catalogue, const Pipe& in) {
    RequestText text;
    text[RequestField::Material] = in.material;
    text[RequestField::Temperature] = in.hot;
    text[RequestField::Length] = in.length;
    if (!in.install.empty()) text[RequestField::Install] = in.install;
    if (!in.cold.empty()) text[RequestField::Cold] = in.cold;
    text.SetUnits(in.units);
    SetPipe(text, in.pipe);
    return Evaluate(catalogue, text);
}

Catalogue WithPublishedMaterials() {
    // The handbook's constant coefficients: 12·10^-6/°C, and 6.5·10^-6/°F.
    std::vector<UserMaterial> materials;
    for (const char* file : {"name,reference_C,temperature_C,alpha_per_C\n"
                             "钢12,20,-50,12\n钢12,20,300,12\n",
                             "name,reference_F,temperature_F,alpha_per_F\n"
                             "钢6.5,70,0,6.5\n钢6.5,70,600,6.5\n"}) {
        auto read = tool::ReadMaterialsText(file);
        for (auto& material : std::get<std::vector<UserMaterial>>(read)) {
            materials.push_back(std::move(material));
        }
    }
    return Catalogue(std::move(materials));
}

// Within one unit of the last of 7 significant digits, or within a published figure's own
// rounding.
void ExpectNear(double actual, double expected, double tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, tolerance) << what;
}

TEST(Compensation, AgreesWithTheCheckFigureAndPublishedFigures) {
    const Catalogue catalogue = WithPublishedMaterials();
    // Material 0, 30 m installed at 20 °C, hot 350 °C, cold -20 °C, DN150 Sch 40.
    const auto check = Evaluated(
        catalogue,
        {"0", "350", "30000", "", "-20", {"168.3", "7.11", nullptr, nullptr, "137.9", "137.9"}});
    ASSERT_TRUE(check.compensation) << check.Refusal();
    const Compensation& c = *check.compensation;
    ExpectNear(*c.metalArea, 3600.457, 1e-3, "A");
    ExpectNear(c.modulus, 203395.3, 0.1, "Ea");
    ExpectNear(*c.allowableRange, 206.85, 1e-4, "SA");
    ExpectNear(c.hot.stress, -889.3461, 1e-4, "hot stress");
    ExpectNear(*c.hot.force, -3202.052, 1e-3, "hot force");
    ExpectNear(c.cold->stress, 85.93988, 1e-5, "cold stress");
    ExpectNear(*c.cold->force, 309.4228, 1e-4, "cold force");
    ExpectNear(c.movement, 143.8508, 1e-4, "movement");
    ExpectNear(*c.leg, 8450.872, 1e-3, "leg");
    ExpectNear(*c.loopWidth, 1690.174, 1e-3, "loop width");
    ExpectNear(*c.loopHeight, 3380.349, 1e-3, "loop height");
    EXPECT_TRUE(c.CannotBeRestrained());

    // Fully restrained DN150 (168.275 × 7.112 mm), α = 12·10^-6/°C, E = 200 000 MPa,
    // 20 → 90 °C: σ = 168 MPa (compression), F ≈ 605 kN.
    const auto si =
        Evaluated(catalogue, {"钢12", "90", "1000", "", "", {"168.275", "7.112", "200000"}});
    ASSERT_TRUE(si.compensation) << si.Refusal();
    ExpectNear(si.compensation->hot.stress, -168, 1e-4, "σ, SI");
    ExpectNear(*si.compensation->hot.force, -605, 0.5, "F, SI");
    EXPECT_FALSE(si.compensation->leg);  // no SA: no leg
    // The same in US units: α = 6.5·10^-6/°F, E = 29·10^6 psi, ΔT = 100 °F: σ = 18 850 psi;
    // Sc = Sh = 20 000 psi with N = 7000: SA = 30 000 psi.
    const auto us = Evaluated(catalogue, {"钢6.5",
                                          "170",
                                          "1200",
                                          "70",
                                          "",
                                          {"6.625", "0.28", "29e6", nullptr, "20000", "20000"},
                                          Units::Us});
    ASSERT_TRUE(us.compensation) << us.Refusal();
    ExpectNear(us.compensation->hot.stress, -18850, 0.01, "σ, US");
    ExpectNear(*us.compensation->allowableRange, 30000, 1e-9, "SA, US");
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(Compensation, ALineBelowItsInstallationIsNamedByItsColdExtreme) {
    const Catalogue catalogue = WithPublishedMaterials();
    // 10 m at 12·10^-6/°C from 20 °C down to -40 °C: Δ = 7.2 mm of shrinkage; E = 200 000 MPa:
    // σ = +144 MPa (tension), above SA = 100 MPa.
    auto cryogenic =
        Evaluated(catalogue, {"钢12", "-40", "10000", "", "", {"168.3", "7.11", "200000", "100"}});
    ASSERT_TRUE(cryogenic.compensation) << cryogenic.Refusal();
    const Compensation& c = *cryogenic.compensation;
    EXPECT_TRUE(c.temperatureIsColdExtreme);
    ExpectNear(c.hot.stress, 144, 1e-9, "σ at -40 °C");
    EXPECT_TRUE(c.hot.elasticBound);
    const auto lines = tool::CompensationLines(*cryogenic.request, c);
    EXPECT_TRUE(HasLine(lines, "  须吸收的位移 Δ = 7.2 mm (安装至冷态, 收缩)"));
    EXPECT_TRUE(HasLine(lines,
                        "  安装至冷态的应力范围 Ea·Δ/L = 144 MPa, 大于 SA: "
                        "该管线不能两端固定而不设补偿"));
    EXPECT_EQ(lines[4].rfind("  两端固定 (无补偿), 冷态 (低于安装温度): ", 0), 0u) << lines[4];
    EXPECT_EQ(lines[5].rfind("  |σ| 大于 SA", 0), 0u) << lines[5];

    // The same line heated instead: the working state is the hot one, and no bound at 48 MPa.
    const auto warm =
        Evaluated(catalogue, {"钢12", "40", "10000", "", "", {"168.3", "7.11", "200000", "100"}});
    ASSERT_TRUE(warm.compensation) << warm.Refusal();
    EXPECT_FALSE(warm.compensation->temperatureIsColdExtreme);
    EXPECT_FALSE(warm.compensation->hot.elasticBound);
    EXPECT_TRUE(HasLine(tool::CompensationLines(*warm.request, *warm.compensation),
                        "  须吸收的位移 Δ = 2.4 mm (安装至热态, 伸长)"));

    // A joint on the shrinking line is compressed at installation by half its movement.
    RequestText text;
    text[RequestField::Material] = "钢12";
    text[RequestField::Temperature] = "-40";
    text[RequestField::Length] = "10000";
    SetPipe(text, {"168.3", "7.11", "200000", "100"});
    text[RequestField::JointMovement] = "5";
    text[RequestField::JointStiffness] = "100";
    const auto joint = Evaluate(catalogue, text);
    ASSERT_TRUE(joint.line && joint.line->bellows) << joint.Refusal();
    ExpectNear(joint.line->bellows->preset, -1.8, 1e-6, "pre-set");  // ΔL is a single
    EXPECT_TRUE(HasLine(tool::LineDesignLines(*joint.request, *joint.compensation, *joint.line),
                        "  安装时预变形 (用于受热时压缩的伸缩节): 预压缩 1.8 mm "
                        "(工作温度低于安装温度, 即冷态: δ/2 + 安装至工作温度的膨胀量/n)"));
}

TEST(Compensation, DesignLengthsRoundUpToWhatADrawingTakes) {
    struct Case {
        Units units;
        double length, design;
    };
    for (const Case& c :
         {Case{Units::Si, 9696.683, 9700}, Case{Units::Si, 9700, 9700},
          Case{Units::Si, 9700 * (1 + 1e-15), 9700}, Case{Units::Si, 9700.01, 9750},
          Case{Units::Si, 0.4, 50}, Case{Units::Us, 381.7, 382}, Case{Units::Us, 382.1, 384}}) {
        EXPECT_EQ(DesignLength(c.units, c.length), c.design) << c.length;
    }
}

TEST(Compensation, CycleFactorStaysBetweenItsBounds) {
    const std::pair<double, double> cases[] = {
        {7000, 1.0}, {14000, 6.0 * std::pow(14000.0, -0.2)}, {1e9, 0.15}, {1, 1.0}};
    for (const auto& [cycles, factor] : cases) EXPECT_DOUBLE_EQ(CycleFactor(cycles), factor);
    EXPECT_NEAR(CycleFactor(14000), 0.88905, 1e-5);  // 6 ÷ 6.7488
}

TEST(Compensation, RefusesEveryFaultNamingItsField) {
    const Catalogue catalogue = WithPublishedMaterials();
    struct Case {
        PipeFields pipe;
        std::string material;
        RequestField field;
        const char* message;
    };
    const Case cases[] = {
        {{"-1"}, "0", RequestField::Diameter, "外径无效: \"-1\" (应为正数, 单位 mm)"},
        {{"inf"}, "0", RequestField::Diameter, "外径无效"},
        {{"100", "0"}, "0", RequestField::Wall, "壁厚无效"},
        {{"100", "50"}, "0", RequestField::Wall, "壁厚 t = 50 mm 不小于外径的一半 (D/2 = 50 mm)"},
        {{"100", nullptr, "0"}, "0", RequestField::Modulus, "弹性模量无效"},
        {{"100", nullptr, nullptr, "-5"}, "0", RequestField::Allowable, "许用位移应力范围无效"},
        {{"100", nullptr, nullptr, nullptr, "0", "1"},
         "0",
         RequestField::ColdAllowable,
         "冷态许用应力无效"},
        {{"100", nullptr, nullptr, nullptr, "1"},
         "0",
         RequestField::HotAllowable,
         "还需要热态许用应力 Sh"},
        {{"100", nullptr, nullptr, nullptr, nullptr, "1"},
         "0",
         RequestField::ColdAllowable,
         "还需要冷态许用应力 Sc"},
        {{"100", nullptr, nullptr, "200", "1", "1"}, "0", RequestField::Allowable, "只能给出一种"},
        {{"100", nullptr, nullptr, nullptr, "1", "1", "0.5"},
         "0",
         RequestField::Cycles,
         "循环次数无效"},
        {{"100", nullptr, nullptr, nullptr, "1", "1", "7000.5"},
         "0",
         RequestField::Cycles,
         "应为不小于 1 的整数"},
        {{nullptr, "5"}, "0", RequestField::Diameter, "缺少管道外径 D"},
        {{"100"}, "钢12", RequestField::Modulus, "自定义材料没有默认的弹性模量 Ea"},
    };
    for (const auto& c : cases) {
        const auto evaluation = Evaluated(catalogue, {c.material, "100", "1000", "", "", c.pipe});
        ASSERT_FALSE(evaluation.faults.empty()) << c.message;
        EXPECT_FALSE(evaluation.Sound());
        const auto& fault = evaluation.faults.front();
        EXPECT_EQ(fault.field, c.field) << c.message;
        EXPECT_NE(fault.message.find(c.message), std::string::npos) << fault.message;
    }
    // A pipe needs a positive length; a figure that does not fit is refused, not shown.
    const auto flat = Evaluated(catalogue, {"0", "100", "0", "", "", {"100"}});
    ASSERT_FALSE(flat.faults.empty());
    EXPECT_EQ(flat.faults.front().field, RequestField::Length);
    const auto huge = Evaluated(catalogue, {"0", "700", "1", "", "", {"1e308", "1e307", "1e308"}});
    EXPECT_FALSE(huge.Sound());
    // It names the inputs it comes from.
    EXPECT_EQ(huge.Refusal(),
              "补偿计算结果超出范围 (来自 外径 D = 1e308 mm, 壁厚 t = 1e307 mm, 弹性模量 Ea = "
              "1e308 MPa)");
}

}  // namespace
}  // namespace velmarith::engineering
