#include "calc/displaypattern.h"
#include "calc/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace durnoval {
namespace {

struct PatternCase {
    const char *name;
    double value;
    const char *pattern;
    std::string expected;
};

void PrintTo(const PatternCase &c, std::ostream *os) {
    *os << c.name;
}

class FormatWithPatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(FormatWithPatternTest, WritesTheDisplayText) {
    const auto &c = GetParam();
    EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Diameters, FormatWithPatternTest,
    testing::Values(PatternCase{"RoundsDown", 25.5245, "##.#", "25.5"},
                    PatternCase{"TrailingPoint", 23.9785, "##.#", "24."},
                    PatternCase{"WholeValue", 25.0, "##.#", "25."},
                    PatternCase{"EmptyIntegerPart", 0.46, "##.#", ".5"},
                    PatternCase{"RoundsToNothing", 0.04, "##.#", "."},
                    PatternCase{"Zero", 0.0, "##.#", "."},
                    PatternCase{"MoreDigitsThanPlaceholders", 123.4, "##.#", "123.4"},
                    PatternCase{"CarryIntoNewDigit", 99.96, "##.#", "100."},
                    PatternCase{"Huge", 1e20, "##.#", "100000000000000000000."},
                    PatternCase{"TwoDecimalsDropZero", 2.5, "#.##", "2.5"}),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(PercentAndLiterals, FormatWithPatternTest,
                         testing::Values(PatternCase{"Ratio", 0.9921568627450981, "##%", "99%"},
                                         PatternCase{"Above100", 1.0625, "##%", "106%"},
                                         PatternCase{"ExactHalfUp", 1.125, "##%", "113%"},
                                         PatternCase{"RoundsToNothing", 0.004, "##%", "%"},
                                         PatternCase{"ZeroPercent", 0.0, "##%", "%"},
                                         PatternCase{"Equal", 1.0, "##%", "100%"},
                                         PatternCase{"Speed", 59.529411764705884, "##mph", "60mph"},
                                         PatternCase{"SpeedHalfUp", 63.75, "##mph", "64mph"},
                                         PatternCase{"SpeedNothing", 0.3, "##mph", "mph"},
                                         PatternCase{"Prefix", 5.0, "$##", "$5"}),
                         [](const auto &info) { return info.param.name; });

// A half is judged on the 15-significant-digit decimal form: the doubles here lie just
// below their decimal halves, and the display still rounds them up.
INSTANTIATE_TEST_SUITE_P(
    HalvesAwayFromZero, FormatWithPatternTest,
    testing::Values(PatternCase{"StoredBelowHalf", 0.15, "##.#", ".2"},
                    PatternCase{"StoredBelowHalfTwoDecimals", 2.675, "#.##", "2.68"},
                    PatternCase{"ProductBelowHalf", 27.0 / 24.0, "##%", "113%"},
                    PatternCase{"PercentOfStoredBelowHalf", 0.285, "##%", "29%"},
                    PatternCase{"ClearlyBelowHalf", 0.1499, "##.#", ".1"},
                    PatternCase{"NegativeHalf", -2.5, "##", "-3"},
                    PatternCase{"NegativeDiameter", -25.5245, "##.#", "-25.5"},
                    PatternCase{"NegativeRoundsToZero", -0.04, "##.#", "."},
                    PatternCase{"NegativePercent", -0.125, "##%", "-13%"}),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    NotFinite, FormatWithPatternTest,
    testing::Values(PatternCase{"Infinity", std::numeric_limits<double>::infinity(), "##.#", "inf"},
                    PatternCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), "##%",
                                "-inf"},
                    PatternCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "##mph", "nan"}),
    [](const auto &info) { return info.param.name; });

// Exact decimal arithmetic in integers: a diameter is (wall * width * 788 + rim * 10^6) / 10^6
// inches, so the displayed tenths must be that value rounded half away from zero. The sweep
// covers every realistic tyre, exact halves among them.
TEST(FormatWithPatternSweep, DiametersMatchExactDecimalRounding) {
    for (int width = 100; width <= 400; ++width)
        for (int wall = 20; wall <= 90; ++wall)
            for (int rim = 10; rim <= 24; ++rim) {
                const double d = wall / 100.0 * (width * 0.0394) * 2 + rim;
                const long long micro = 788LL * wall * width + 1000000LL * rim;
                const long long tenths = (micro + 50000) / 100000;
                std::string expected = std::to_string(tenths / 10) + ".";
                if (tenths % 10 != 0)
                    expected += std::to_string(tenths % 10);

                const std::string shown = FormatWithPattern(d, "##.#");
                ASSERT_EQ(shown, expected) << width << "/" << wall << " " << rim;
                const auto readBack = DoubleFromText(shown);
                ASSERT_TRUE(readBack.ok()) << shown;
                ASSERT_LE(std::fabs(readBack.value() - d), 0.05 + 1e-9) << shown;
            }
}

// Percent and speed for every pair of displayed diameters from 10.0 to 40.0 inches,
// against exact rational rounding half up: floor(100 n / o + 1/2) and floor(60 n / o + 1/2).
TEST(FormatWithPatternSweep, RatiosMatchExactRationalRounding) {
    for (long long o = 100; o <= 400; ++o)
        for (long long n = 100; n <= 400; ++n) {
            const double ratio = (n / 10.0) / (o / 10.0);
            const long long percent = (200 * n + o) / (2 * o);
            const long long mph = (120 * n + o) / (2 * o);
            ASSERT_EQ(FormatWithPattern(ratio, "##%"), std::to_string(percent) + "%")
                << n << "/" << o;
            ASSERT_EQ(FormatWithPattern(ratio * 60, "##mph"), std::to_string(mph) + "mph")
                << n << "/" << o;
        }
}

} // namespace
} // namespace durnoval
