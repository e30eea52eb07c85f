#include <gtest/gtest.h>

#include "tables/MaterialTables.h"

namespace velmarith {
namespace {

class TablesTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildMaterialTables(tables); }
    MaterialTables tables;
};

TEST_F(TablesTest, RowsEndAtTheGridPointOfTheUpperLimit) {
    const std::size_t sizes[] = {11, 11, 12, 11, 11, 7, 9, 11};
    const std::int16_t highs[] = {700, 700, 800, 700, 700, 300, 500, 700};
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& row = tables.CoefficientTable[k];
        const auto& limits = MaterialLimitsTable[k];
        EXPECT_EQ(row.size(), sizes[k]) << k;
        EXPECT_EQ(limits.High, highs[k]) << k;
        EXPECT_EQ(static_cast<std::size_t>(limits.Last), row.size() - 1) << k;
        EXPECT_EQ(tables.TemperatureGrid[limits.Last], limits.High) << k;
        EXPECT_EQ(tables.TemperatureGrid[limits.First], limits.Low) << k;
    }
}

TEST_F(TablesTest, GridRisesStrictlyThroughTheReferenceTemperature) {
    EXPECT_EQ(tables.TemperatureGrid.front(), -200);
    EXPECT_EQ(tables.TemperatureGrid.back(), 900);
    EXPECT_EQ(tables.TemperatureGrid[3], ReferenceTemperature);
    for (int i = 1; i < kGridSize; ++i) {
        EXPECT_LT(tables.TemperatureGrid[i - 1], tables.TemperatureGrid[i]);
    }
}

TEST_F(TablesTest, ElementsKeepTheirKind) {
    struct Case {
        int material, index;
        bool integer;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, true, "9"},     {0, 1, false, "9.65"},   {2, 7, true, "18"},     {4, 4, false, "14"},
        {4, 6, false, "15"},   {6, 5, false, "11"},     {6, 0, true, "0"},      {6, 3, true, "0"},
        {3, 4, false, "9.48"}, {7, 10, false, "17.76"}, {2, 11, false, "19.3"},
    };
    for (const auto& c : cases) {
        const auto& element = tables.CoefficientTable[c.material][c.index];
        EXPECT_EQ(element.IsInteger(), c.integer) << c.material << "/" << c.index;
        EXPECT_EQ(element.ToText(), c.text) << c.material << "/" << c.index;
    }
    int integers = 0;
    for (const auto& row : tables.CoefficientTable) {
        for (const auto& element : row) integers += element.IsInteger() ? 1 : 0;
    }
    EXPECT_EQ(integers, 6);
}

TEST_F(TablesTest, RealValuesRiseWithTemperature) {
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& limits = MaterialLimitsTable[k];
        for (int i = limits.First + 1; i <= limits.Last; ++i) {
            EXPECT_LT(tables.CoefficientTable[k][i - 1].AsDouble(),
                      tables.CoefficientTable[k][i].AsDouble())
                << k << "/" << i;
        }
    }
}

TEST_F(TablesTest, ListTextsUseFullWidthBracketsAndIdeographicCommas) {
    EXPECT_EQ(MaterialListTexts[1], "中铬钢\uFF08Cr5Mo至Cr9Mo\uFF09");
    EXPECT_EQ(MaterialListTexts[3], "铬钢Cr12\u3001Cr15\u3001Cr17");
    EXPECT_EQ(MaterialListTexts[7], "蒙乃尔合金Ni67Cu30");
}

}  // namespace
}  // namespace velmarith
