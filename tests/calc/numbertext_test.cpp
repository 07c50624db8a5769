#include "calc/numbertext.h"

#include <gtest/gtest.h>

#include <string>

namespace durnoval {
namespace {

struct IntegerCase {
    const char *name;
    std::string text;
    Result<std::int16_t> expected;
};

void PrintTo(const IntegerCase &c, std::ostream *os) {
    *os << c.name;
}

class IntegerFromTextTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerFromTextTest, ReadsTheDecimalText) {
    const auto &c = GetParam();
    const auto actual = IntegerFromText(c.text);
    ASSERT_EQ(actual.ok(), c.expected.ok()) << "text '" << c.text << "'";
    if (c.expected.ok())
        EXPECT_EQ(actual.value(), c.expected.value());
    else
        EXPECT_EQ(actual.error(), c.expected.error());
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedForms, IntegerFromTextTest,
    testing::Values(IntegerCase{"Plain", "14", 14}, IntegerCase{"LeadingZero", "014", 14},
                    IntegerCase{"ManyLeadingZeros", "0000000014", 14},
                    IntegerCase{"TrailingPoint", "5.", 5}, IntegerCase{"LeadingPoint", ".5", 0},
                    IntegerCase{"Zero", "0", 0}, IntegerCase{"ZeroPointZero", "0.0", 0},
                    IntegerCase{"Largest", "32767", 32767},
                    IntegerCase{"LargestWithZeros", "000032767.000", 32767},
                    IntegerCase{"LongFraction", "14." + std::string(10000, '0'), 14}),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Rounding, IntegerFromTextTest,
    testing::Values(
        IntegerCase{"HalfOfZeroToEven", "0.5", 0}, IntegerCase{"OnePointFiveUp", "1.5", 2},
        IntegerCase{"TwoPointFiveDown", "2.5", 2}, IntegerCase{"FourteenAndHalf", "14.5", 14},
        IntegerCase{"FifteenAndHalf", "15.5", 16},
        IntegerCase{"HalfWithTrailingZeros", "2.50000", 2},
        IntegerCase{"JustAboveHalf", "0.50000000000000000001", 1},
        IntegerCase{"JustBelowHalf", "0.49999999999999999999", 0},
        IntegerCase{"FarAboveHalfBelowOdd", "2.51", 3}, IntegerCase{"SixAfterPoint", "2.6", 3},
        IntegerCase{"FourAfterPoint", "3.4", 3}, IntegerCase{"LastEvenHalf", "32766.5", 32766},
        IntegerCase{"BelowLimitAfterRounding", "32767.4999", 32767}),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Rejected, IntegerFromTextTest,
    testing::Values(IntegerCase{"Empty", "", CalcError::TypeMismatch},
                    IntegerCase{"LonePoint", ".", CalcError::TypeMismatch},
                    IntegerCase{"TwoPoints", "..", CalcError::TypeMismatch},
                    IntegerCase{"ThreeGroups", "1.2.3", CalcError::TypeMismatch},
                    IntegerCase{"Blank", " ", CalcError::TypeMismatch},
                    IntegerCase{"LeadingBlank", " 14", CalcError::TypeMismatch},
                    IntegerCase{"Minus", "-", CalcError::TypeMismatch},
                    IntegerCase{"Negative", "-14", CalcError::TypeMismatch},
                    IntegerCase{"Plus", "+14", CalcError::TypeMismatch},
                    IntegerCase{"Comma", "14,5", CalcError::TypeMismatch},
                    IntegerCase{"Exponent", "1e3", CalcError::TypeMismatch},
                    IntegerCase{"Hex", "0x10", CalcError::TypeMismatch},
                    IntegerCase{"EmbeddedNul", std::string("14\0", 3), CalcError::TypeMismatch},
                    IntegerCase{"NonAscii", "\xd9\xa1\xd9\xa4", CalcError::TypeMismatch},
                    IntegerCase{"JustOver", "32768", CalcError::Overflow},
                    IntegerCase{"Forty", "40000", CalcError::Overflow},
                    IntegerCase{"HalfRoundsOver", "32767.5", CalcError::Overflow},
                    IntegerCase{"SixDigits", "100000", CalcError::Overflow},
                    IntegerCase{"HugeNumber", std::string(10000, '9'), CalcError::Overflow},
                    IntegerCase{"HugeWithHalf", "9" + std::string(30, '9') + ".5",
                                CalcError::Overflow}),
    [](const auto &info) { return info.param.name; });

// Every whole number and every half between them, against an independent rounding rule.
TEST(IntegerFromTextSweep, EveryWholeNumberAndHalfInRange) {
    for (int n = 0; n <= 32767; ++n) {
        const auto whole = IntegerFromText(std::to_string(n));
        ASSERT_TRUE(whole.ok()) << n;
        ASSERT_EQ(whole.value(), n);

        const auto half = IntegerFromText(std::to_string(n) + ".5");
        const int even = n % 2 == 0 ? n : n + 1;
        if (even > 32767) {
            ASSERT_FALSE(half.ok()) << n << ".5";
            ASSERT_EQ(half.error(), CalcError::Overflow);
        } else {
            ASSERT_TRUE(half.ok()) << n << ".5";
            ASSERT_EQ(half.value(), even) << n << ".5";
        }
    }
}

struct DoubleCase {
    const char *name;
    std::string text;
    Result<double> expected;
};

void PrintTo(const DoubleCase &c, std::ostream *os) {
    *os << c.name;
}

class DoubleFromTextTest : public testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleFromTextTest, ReadsTheDecimalText) {
    const auto &c = GetParam();
    const auto actual = DoubleFromText(c.text);
    ASSERT_EQ(actual.ok(), c.expected.ok()) << "text '" << c.text << "'";
    if (c.expected.ok())
        EXPECT_EQ(actual.value(), c.expected.value());
    else
        EXPECT_EQ(actual.error(), c.expected.error());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DoubleFromTextTest,
    testing::Values(DoubleCase{"Diameter", "25.5", 25.5}, DoubleCase{"TrailingPoint", "25.", 25.0},
                    DoubleCase{"LeadingPoint", ".5", 0.5}, DoubleCase{"Whole", "24", 24.0},
                    DoubleCase{"NotRounded", "14.5", 14.5},
                    DoubleCase{"CorrectlyRounded", "0.1", 0.1},
                    DoubleCase{"TinyIsZero", "0." + std::string(400, '0') + "1", 0.0},
                    DoubleCase{"LongFraction", "1." + std::string(10000, '0') + "1", 1.0},
                    DoubleCase{"LonePoint", ".", CalcError::TypeMismatch},
                    DoubleCase{"Empty", "", CalcError::TypeMismatch},
                    DoubleCase{"TwoPoints", "1.2.3", CalcError::TypeMismatch},
                    DoubleCase{"Exponent", "1e5", CalcError::TypeMismatch},
                    DoubleCase{"Infinity", "inf", CalcError::TypeMismatch},
                    DoubleCase{"Percent", "99%", CalcError::TypeMismatch},
                    DoubleCase{"BeyondDouble", std::string(400, '9'), CalcError::Overflow}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace durnoval
