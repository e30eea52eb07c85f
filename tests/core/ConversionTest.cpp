#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>

#include "runtime/NumberText.h"

namespace velmarith {
namespace {

struct IntegerCase {
    std::string text;
    std::optional<std::int16_t> expected;
};

TEST(TextToInteger, RoundsTiesToEvenAndChecksTheRange) {
    const IntegerCase cases[] = {
        {"150", 150},
        {"-200", -200},
        {"+800", 800},
        {"  42\t", 42},
        {"20.5", 20},
        {"21.5", 22},
        {"-0.5", 0},
        {"-1.5", -2},
        {"-2.5", -2},
        {"0.49", 0},
        {"0.51", 1},
        {"800.5", 800},
        {"801.5", 802},
        {"1.5e2", 150},
        {"15E1", 150},
        {"2e-1", 0},
        {"1e-400", 0},
        {".5", 0},
        {"1.", 1},
        {"32767", 32767},
        {"32767.4", 32767},
        {"32767.5", std::nullopt},
        {"-32768", -32768},
        {"-32768.5", -32768},
        {"-32768.6", std::nullopt},
        {"32768", std::nullopt},
        {"1e400", std::nullopt},
        {"1e5", std::nullopt},
        // The double of these long texts is exactly the tie; the digits decide.
        {"20.50000000000000000001", 21},
        {"20.49999999999999999999", 20},
        {"-20.50000000000000000001", -21},
        {"0.5000000000000000000001", 1},
        {"2050000000000000000001e-20", 21},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

TEST(TextToInteger, FullWidthCharactersCountAsTheirAsciiTwins) {
    const IntegerCase cases[] = {
        {"１５０", 150},  {"－２００", -200}, {"＋８００", 800},
        {"２０．５", 20}, {"１ｅ２", 100},    {"\u3000７\u3000", 7},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

TEST(TextToNumber, RejectsEverythingOutsideTheGrammar) {
    const std::string rejected[] = {
        "",      " ",      "12abc", "1,5",  "inf", "-inf",     "nan",   "0x10",
        "1e",    "1e+",    "e5",    ".",    "-",   "+-5",      "--5",   "1 2",
        "1.2.3", "１２ａ", "五",    "1e5x", "- 5", "Infinity", "1\x80", "\xEF\xBC",
    };
    for (const auto& text : rejected) {
        EXPECT_EQ(TextToInteger(text), std::nullopt) << text;
        EXPECT_EQ(TextToSingle(text), std::nullopt) << text;
    }
}

TEST(TextToSingle, GivesTheNearestSingleAndNeverInfinity) {
    struct Case {
        std::string text;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {"1000", 1000.0f},
        {"-2.5", -2.5f},
        {"0.1", 0.1f},
        {"１０００．５", 1000.5f},
        {"1E+37", 1e37f},
        {"3.4028234e38", FLT_MAX},
        {"3.4028236e38", std::nullopt},
        {"1e39", std::nullopt},
        {"-1e39", std::nullopt},
        {"1e-50", 0.0f},
        {"1e-45", 1e-45f},
        {"16777217", 16777216.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(TextToSingle(c.text), c.expected) << c.text;
}

TEST(RoundToSingle, OverflowsOnlyWhereRoundingReachesInfinity) {
    EXPECT_EQ(RoundToSingle(1.5405), 1.5405f);
    EXPECT_EQ(RoundToSingle(static_cast<double>(FLT_MAX)), FLT_MAX);
    EXPECT_EQ(RoundToSingle(0x1.fffffefffffffp+127), FLT_MAX);
    EXPECT_EQ(RoundToSingle(0x1.ffffffp+127), std::nullopt);
    EXPECT_EQ(RoundToSingle(-1e39), std::nullopt);
    EXPECT_EQ(RoundToSingle(INFINITY), std::nullopt);
    EXPECT_EQ(RoundToSingle(NAN), std::nullopt);
}

TEST(SingleToText, SevenSignificantDigitsWithoutTrailingZeros) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {11.85f, "11.85"},
        {1.5405f, "1.5405"},
        {-4.95f, "-4.95"},
        {9.8954545f, "9.895454"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {14.0f, "14"},
        {100.0f, "100"},
        {1234567.0f, "1234567"},
        {12345678.0f, "1.234568E+07"},
        {10000000.0f, "1E+07"},
        {0.0001f, "0.0001"},
        {0.00001f, "1E-05"},
        {-0.000012345f, "-1.2345E-05"},
        {3.4028235e38f, "3.402823E+38"},
        {0.1f, "0.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(SingleToText(c.value), c.text) << c.value;
}

TEST(NumberToText, IntegersAndTableDoubles) {
    EXPECT_EQ(IntegerToText(150), "150");
    EXPECT_EQ(IntegerToText(-200), "-200");
    EXPECT_EQ(IntegerToText(-32768), "-32768");
    EXPECT_EQ(DoubleToText(14.0), "14");
    EXPECT_EQ(DoubleToText(9.65), "9.65");
    EXPECT_EQ(DoubleToText(10.93), "10.93");
    EXPECT_EQ(DoubleToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(DoubleToText(-0.0), "0");
}

// Plain digits take a shorter way; text that only looks plain takes the general one.
TEST(TextToNumber, PlainDigitsReadAsTheGeneralScanReadsThem) {
    EXPECT_EQ(TextToSingle("1234.5"), 1234.5f);
    EXPECT_EQ(TextToSingle("-0.1"), -0.1f);
    EXPECT_EQ(TextToInteger("-200"), std::int16_t{-200});
    EXPECT_EQ(TextToInteger("0150"), std::int16_t{150});
    for (const char* text : {"-32768.-32786", "1.-5", "--1", "1..5", "-.", "-"}) {
        EXPECT_FALSE(TextToSingle(text)) << text;
        EXPECT_FALSE(TextToInteger(text)) << text;
    }
}

// Figures beyond the window's lines: 7 significant digits, written out for ordinary
// magnitudes, rounding carried into the next decade.
TEST(NumberToText, FiguresAtSevenDigitsWithoutAnExponentForOrdinaryMagnitudes) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {29500000.0, "29500000"},
        {123456789.0, "123456800"},
        {99999995.0, "100000000"},
        {9999999.5, "10000000"},
        {0.000052, "0.000052"},
        {-0.000012345, "-0.000012345"},
        {1.2345675e-6, "0.000001234568"},
        {343.3333333333, "343.3333"},
        {1e14, "100000000000000"},
        {1e15, "1E+15"},
        {1e-7, "1E-07"},
        {-203395.3, "-203395.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(DoubleToShortText(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace velmarith
