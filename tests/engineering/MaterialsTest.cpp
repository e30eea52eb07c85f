#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/shared/MaterialsText.h"
#include "app/shared/ResultJson.h"
#include "engineering/Report.h"

namespace velmarith::engineering {
namespace {

struct Named {
    std::string text;
    int id;
    std::string grade;  // empty: the text named the material itself
};

void ExpectResolves(const Catalogue& catalogue, const std::vector<Named>& cases) {
    for (const auto& c : cases) {
        const auto choice = catalogue.Resolve(c.text);
        ASSERT_TRUE(choice) << c.text;
        EXPECT_EQ(choice->id, c.id) << c.text;
        EXPECT_EQ(choice->grade, c.grade) << c.text;
        EXPECT_EQ(catalogue.Find(c.text), c.id) << c.text;
    }
}

TEST(Grades, EachGradeNamesTheGroupThatCoversIt) {
    ExpectResolves(Catalogue(), {
                                    {"10", 0, "10"},
                                    {"20", 0, "20"},
                                    {"20#", 0, "20"},
                                    {"Q235B", 0, "Q235B"},
                                    {"Q245R", 0, "Q245R"},
                                    {"Q345R", 0, "Q345R"},
                                    {"L245", 0, "L245"},
                                    {"A105", 0, "A105"},
                                    {"A106 B", 0, "A106 B"},
                                    {"API 5L B", 0, "API 5L B"},
                                    {"15CrMo", 0, "15CrMo"},
                                    {"12Cr1MoV", 0, "12Cr1MoV"},
                                    {"P22", 0, "P22"},
                                    {"12Cr5Mo", 1, "12Cr5Mo"},
                                    {"1Cr5Mo", 1, "12Cr5Mo"},
                                    {"P5", 1, "P5"},
                                    {"P9", 1, "P9"},
                                    {"P91", 1, "P91"},
                                    {"06Cr19Ni10", 2, "06Cr19Ni10"},
                                    {"S30408", 2, "06Cr19Ni10"},
                                    {"304", 2, "06Cr19Ni10"},
                                    {"304L", 2, "022Cr19Ni10"},
                                    {"022Cr19Ni10", 2, "022Cr19Ni10"},
                                    {"316", 2, "06Cr17Ni12Mo2"},
                                    {"316L", 2, "022Cr17Ni12Mo2"},
                                    {"321", 2, "06Cr18Ni11Ti"},
                                    {"347", 2, "06Cr18Ni11Nb"},
                                    {"06Cr13", 3, "06Cr13"},
                                    {"410", 3, "12Cr13"},
                                    {"430", 3, "10Cr17"},
                                    {"310S", 4, "06Cr25Ni20"},
                                    {"06Cr25Ni20", 4, "06Cr25Ni20"},
                                    {"1060", 5, "1060"},
                                    {"3003", 5, "3003"},
                                    {"5052", 5, "5052"},
                                    {"6061", 5, "6061"},
                                    {"HT200", 6, "HT200"},
                                    {"HT250", 6, "HT250"},
                                    {"Monel 400", 7, "Monel 400"},
                                    {"N04400", 7, "Monel 400"},
                                });
}

TEST(Grades, MatchingIgnoresCaseSpacesHashAndFullWidth) {
    ExpectResolves(Catalogue(), {
                                    {"q345r", 0, "Q345R"},
                                    {" Q 345 R ", 0, "Q345R"},
                                    {"20 #", 0, "20"},
                                    {"a106b", 0, "A106 B"},
                                    {"API5LB", 0, "API 5L B"},
                                    {"\uFF31\uFF13\uFF14\uFF15\uFF32", 0, "Q345R"},  // Ｑ３４５Ｒ
                                    {"\uFF12\uFF10\uFF03", 0, "20"},                 // ２０＃
                                    {"s30408", 2, "06Cr19Ni10"},
                                    {"monel\u3000400", 7, "Monel 400"},
                                    {"\uFF48\uFF54\uFF12\uFF10\uFF10", 6, "HT200"},  // ｈｔ２００
                                });
}

TEST(Grades, PositionsAndListTextsWinAndOtherTextNamesNothing) {
    const Catalogue catalogue;
    ExpectResolves(catalogue, {{"2", 2, ""}, {"\uFF17", 7, ""}, {"奥氏体钢", 2, ""}});
    for (const char* text : {"", "#", " ", "Q345", "Q345RR", "30408", "8", "11", "P2", "Monel",
                             "\xEF\xBC", "HT 2OO"}) {
        EXPECT_FALSE(catalogue.Resolve(text)) << text;
        EXPECT_FALSE(catalogue.Find(text)) << text;
    }
}

std::vector<UserMaterial> UserMaterials(int count) {
    std::vector<UserMaterial> materials;
    materials.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        materials.push_back({"材料" + std::to_string(i), 20, {{20, 1}, {100, 2}}});
    }
    return materials;
}

// The id the table shows names a user material; a grade of the same digits only when there
// is no such material.
TEST(Grades, UserIdsWinOverGradesOfTheSameDigits) {
    ExpectResolves(Catalogue(UserMaterials(3)),
                   {{"8", 8, ""}, {" 9", 9, ""}, {"10", 10, ""}, {"20", 0, "20"}});
    ExpectResolves(Catalogue(UserMaterials(2)), {{"9", 9, ""}, {"10", 0, "10"}});
    EXPECT_FALSE(Catalogue(UserMaterials(2)).Find("11"));
    EXPECT_FALSE(Catalogue(UserMaterials(2)).Find("7.5e0x"));
}

std::vector<UserMaterial> Read(const std::string& text) {
    auto read = tool::ReadMaterialsText(text);
    if (auto* faults = std::get_if<std::vector<MaterialFault>>(&read)) {
        ADD_FAILURE() << faults->front().line << ": " << faults->front().reason;
        return {};
    }
    return std::get<std::vector<UserMaterial>>(read);
}

TEST(MaterialsFile, GradesComeFromAnyRowOfTheirMaterialAndResolveToIt) {
    const auto materials = Read(
        "name,reference_F,temperature_F,alpha_per_F,grades\n"
        "铜,68,68,9,T2;TU1\n"
        "铜,68,212,9.5,\n"
        "铜,68,392,10,\"TU2\u3001 T2 \"\n"
        "镍,68,68,7\n"
        "镍,68,212,7.5,N6\n");
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(materials[0].grades, (std::vector<std::string>{"T2", "TU1", "TU2"}));
    EXPECT_EQ(materials[1].grades, (std::vector<std::string>{"N6"}));
    ExpectResolves(Catalogue(materials),
                   {{"tu2", 8, "TU2"}, {"Ｔ２", 8, "T2"}, {"n6", 9, "N6"}, {"铜", 8, ""}});
}

TEST(MaterialsFile, AGradeOfAnotherMaterialIsAFaultOnItsLine) {
    struct Case {
        std::string rows;
        long long line;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"A,20,20,1,q345r\nA,20,100,2,\n", 2,
         "牌号 \"q345r\" 已属于内置材料 0 碳钢和低铬钼钢 (Q345R)"},
        {"A,20,20,1,X1\nA,20,100,2,\nB,20,20,1,\nB,20,100,2,x 1\n", 5,
         "牌号 \"x 1\" 已属于材料 \"A\""},
        {"A,20,20,1,3\nA,20,100,2\n", 2,
         "牌号 \"3\" 不能用作牌号 (为空, 或是内置材料的序号或名称)"},
        {"A,20,20,1,X1,Y\nA,20,100,2\nA,20,200,3\n", 2,
         "应有4或5列: 名称, 参考温度, 温度, 系数, 牌号"},
    };
    for (const auto& c : cases) {
        const auto read =
            tool::ReadMaterialsText("name,reference_C,temperature_C,alpha_per_C,grades\n" + c.rows);
        ASSERT_TRUE(std::holds_alternative<std::vector<MaterialFault>>(read)) << c.rows;
        const auto& faults = std::get<std::vector<MaterialFault>>(read);
        ASSERT_EQ(faults.size(), 1u) << c.rows;
        EXPECT_EQ(faults[0].line, c.line) << c.rows;
        EXPECT_EQ(faults[0].reason, c.reason) << c.rows;
    }
    // Without the grades column a fifth field is what it always was.
    const auto read = tool::ReadMaterialsText(
        "name,reference_C,temperature_C,alpha_per_C\n"
        "A,20,20,1,T2\nA,20,100,2\n");
    ASSERT_TRUE(std::holds_alternative<std::vector<MaterialFault>>(read));
    EXPECT_EQ(std::get<std::vector<MaterialFault>>(read)[0].reason,
              "应有4列: 名称, 参考温度, 温度, 系数");
}

TEST(MaterialsFile, GradesAreWrittenOnTheFirstRowAndReadBack) {
    std::vector<UserMaterial> kept = UserMaterials(2);
    kept[0].grades = {"T2", "TU 1"};
    const std::string csv = tool::MaterialsCsv(kept);
    EXPECT_EQ(csv,
              "name,reference_C,temperature_C,alpha_per_C,grades\n"
              "材料0,20,20,1,T2;TU 1\n材料0,20,100,2,\n"
              "材料1,20,20,1,\n材料1,20,100,2,\n");
    const auto back = Read(csv);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].grades, kept[0].grades);
    EXPECT_TRUE(back[1].grades.empty());
}

TEST(Records, CarryGradesModulusAndSources) {
    std::vector<UserMaterial> user = UserMaterials(1);
    user[0].grades = {"T2"};
    const Catalogue catalogue(user);
    const Material& steel = catalogue.Record(0);
    ASSERT_TRUE(steel.modulus);
    EXPECT_EQ(steel.modulus->Text(), "29.5×10^6 psi");
    EXPECT_EQ(steel.modulus->source, "ASME B31.3 附录 C 表 C-6, 21 摄氏度 (70°F)");
    EXPECT_EQ(catalogue.Record(5).modulus->Text(), "10×10^6 psi");
    EXPECT_EQ(catalogue.Record(2).grades[0].aliases,
              (std::vector<std::string>{"S30408", "304", "0Cr18Ni9"}));
    EXPECT_EQ(catalogue.Record(8).modulus, std::nullopt);
    EXPECT_EQ(catalogue.Record(8).dataSource, "自定义材料文件");
    EXPECT_NE(catalogue.Record(0).dataSource, catalogue.Record(8).dataSource);
    // Grey cast iron's points start at the grid's 100 °C, index 4, and keep their kind.
    const Material& iron = catalogue.Record(6);
    EXPECT_EQ(iron.first, 4);
    ASSERT_EQ(iron.points.size(), 5u);
    EXPECT_EQ(iron.points[0].temperature, 100);
    EXPECT_EQ(iron.points[0].value.ToText(), "10.4");
    EXPECT_EQ(catalogue.Record(0).points[0].value.ToText(), "9");
}

TEST(TableJson, ListsEachMaterialsGrades) {
    std::vector<UserMaterial> user = UserMaterials(2);
    user[1].grades = {"T2", "TU1"};
    const auto json = tool::TableJson(TableOf(Catalogue(user), std::nullopt));
    const auto& materials = json["materials"];
    EXPECT_EQ(materials[4]["grades"].dump(), "[\"06Cr25Ni20\"]");
    EXPECT_EQ(materials[7]["grades"].dump(), "[\"Monel 400\"]");
    EXPECT_EQ(materials[8]["grades"].dump(), "[]");
    EXPECT_EQ(materials[9]["grades"].dump(), "[\"T2\",\"TU1\"]");
    EXPECT_EQ(materials[1]["grades"].dump(), "[\"12Cr5Mo\",\"P5\",\"P9\",\"P91\"]");
}

}  // namespace
}  // namespace velmarith::engineering
