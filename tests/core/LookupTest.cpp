#include <gtest/gtest.h>

#include "calc/GridWalk.h"
#include "tables/MaterialTables.h"

namespace velmarith {
namespace {

class LookupTest : public ::testing::Test {
  protected:
    void SetUp() override { BuildMaterialTables(tables); }
    MaterialTables tables;
};

TEST_F(LookupTest, EveryGridPointGivesTheElementAsStored) {
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& limits = MaterialLimitsTable[k];
        for (int i = limits.First; i <= limits.Last; ++i) {
            const auto hit = FindCoefficient(tables, k, tables.TemperatureGrid[i]);
            ASSERT_TRUE(hit) << k << "/" << i;
            const auto& element = tables.CoefficientTable[k][i];
            EXPECT_TRUE(hit->exact);
            EXPECT_EQ(hit->gridIndex, i);
            EXPECT_EQ(hit->valueText, element.ToText());
            EXPECT_EQ(hit->coefficient, static_cast<float>(element.AsDouble()));
        }
    }
}

TEST_F(LookupTest, BetweenGridPointsTheValueIsInterpolated) {
    struct Case {
        int material;
        std::int16_t temperature;
        const char* text;
    };
    // Worked by hand: ((T - g0)(a1 - a0))/(g1 - g0) + a0, rounded to single.
    const Case cases[] = {
        {0, 150, "11.85"},    {0, -100, "9.895454"}, {0, -199, "9.009286"},
        {5, -50, "20.77368"}, {3, 60, "9.465"},      {6, 450, "12.4"},
        {2, 750, "19.1"},     {2, 350, "17.8"},      {7, 699, "17.7542"},
    };
    for (const auto& c : cases) {
        const auto hit = FindCoefficient(tables, c.material, c.temperature);
        ASSERT_TRUE(hit) << c.material << " " << c.temperature;
        EXPECT_FALSE(hit->exact);
        EXPECT_EQ(hit->valueText, c.text) << c.material << " " << c.temperature;
    }
}

TEST_F(LookupTest, EveryTemperatureWithinTheLimitsLiesBetweenItsNeighbours) {
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& limits = MaterialLimitsTable[k];
        for (int t = limits.Low; t <= limits.High; ++t) {
            const auto hit = FindCoefficient(tables, k, static_cast<std::int16_t>(t));
            ASSERT_TRUE(hit) << k << " " << t;
            const int i = hit->gridIndex;
            ASSERT_GE(i, limits.First);
            ASSERT_LE(i, limits.Last);
            const auto& row = tables.CoefficientTable[k];
            EXPECT_GE(hit->coefficient, static_cast<float>(row[i].AsDouble()));
            if (!hit->exact) {
                EXPECT_LT(hit->coefficient, static_cast<float>(row[i + 1].AsDouble()));
                EXPECT_LT(tables.TemperatureGrid[i], t);
                EXPECT_LT(t, tables.TemperatureGrid[i + 1]);
            }
        }
    }
}

TEST_F(LookupTest, OutsideTheMaterialsGridNothingIsFound) {
    const std::pair<int, std::int16_t> cases[] = {{0, 750}, {0, 800}, {0, -201}, {5, 350},
                                                  {2, 850}, {6, 99},  {6, 20},   {6, 501}};
    for (const auto& [material, temperature] : cases) {
        EXPECT_FALSE(FindCoefficient(tables, material, temperature))
            << material << " " << temperature;
    }
}

}  // namespace
}  // namespace velmarith
