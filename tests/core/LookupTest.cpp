#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    // Each material's points from its first grid index on, as the window prints them: the
    // integers without a point, 14.0 as "14".
    const std::vector<std::vector<const char*>> printed = {
        {"9", "9.65", "10.1", "10.9", "11.5", "12.2", "12.9", "13.6", "14.2", "14.6", "14.9"},
        {"8.45", "9.1", "9.6", "10.3", "10.9", "11.4", "11.9", "12.4", "12.9", "13.2", "13.4"},
        {"14.7", "15.2", "15.8", "16.4", "16.8", "17.2", "17.6", "18", "18.4", "18.7", "18.9",
         "19.3"},
        {"7.75", "8.25", "8.75", "9.45", "9.48", "10.4", "10.93", "11.4", "11.8", "12.1", "12.3"},
        {"11.4", "12.1", "12.7", "13.4", "14", "14.5", "15", "15.5", "15.9", "16.2", "16.5"},
        {"17.8", "19.2", "20.3", "22.1", "23.4", "24.4", "25.4"},
        {"10.4", "11", "11.6", "12.1", "12.7"},
        {"9.99", "11.52", "12.51", "13.43", "14.16", "14.74", "15.36", "15.93", "16.6", "17.18",
         "17.76"},
    };
    for (int k = 0; k < kMaterialCount; ++k) {
        const auto& limits = MaterialLimitsTable[k];
        const auto& expected = printed[static_cast<std::size_t>(k)];
        ASSERT_EQ(expected.size(), static_cast<std::size_t>(limits.Last - limits.First + 1)) << k;
        for (int i = limits.First; i <= limits.Last; ++i) {
            const auto hit = FindCoefficient(tables, k, tables.TemperatureGrid[i]);
            ASSERT_TRUE(hit) << k << "/" << i;
            const char* text = expected[static_cast<std::size_t>(i - limits.First)];
            EXPECT_TRUE(hit->exact);
            EXPECT_EQ(hit->gridIndex, i);
            EXPECT_EQ(hit->valueText, text) << k << "/" << i;
            EXPECT_EQ(hit->coefficient, std::stof(text)) << k << "/" << i;
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
