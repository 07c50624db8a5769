#include "calc/comparison.h"

#include <gtest/gtest.h>

#include <string>

namespace durnoval {
namespace {

using Entries = std::array<std::string, 6>;

ComparisonState withEntries(const Entries &entries) {
    ComparisonState state;
    for (std::size_t i = 0; i < entries.size(); ++i)
        state.*kEntrySlots[i].text = entries[i];
    return state;
}

Entries entriesOf(const ComparisonState &state) {
    Entries entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = state.*kEntrySlots[i].text;
    return entries;
}

ResultText shown(const char *text) {
    return {text, true};
}
const ResultText kHidden{};

struct CalculateCase {
    const char *name;
    Entries entries;
    Entries entriesAfter;
    std::array<ResultText, 4> results;
    CalcOutcome outcome;
};

void PrintTo(const CalculateCase &c, std::ostream *os) {
    *os << c.name;
}

class CalculateComparisonTest : public testing::TestWithParam<CalculateCase> {};

TEST_P(CalculateComparisonTest, LeavesTheStateAsFarAsItGot) {
    const auto &c = GetParam();
    ComparisonState state = withEntries(c.entries);
    const auto outcome = CalculateComparison(state);

    EXPECT_EQ(entriesOf(state), c.entriesAfter);
    for (std::size_t i = 0; i < kOutputSlots.size(); ++i) {
        const ResultText &result = state.*kOutputSlots[i].result;
        EXPECT_EQ(result.text, c.results[i].text) << kOutputSlots[i].name;
        EXPECT_EQ(result.visible, c.results[i].visible) << kOutputSlots[i].name;
    }
    ASSERT_EQ(outcome.ok(), c.outcome.ok());
    if (!c.outcome.ok()) {
        EXPECT_EQ(outcome.error(), c.outcome.error());
    }
}

const Entries kDefaults{"195", "75", "14", "215", "55", "16"};

INSTANTIATE_TEST_SUITE_P(
    Succeeds, CalculateComparisonTest,
    testing::Values(CalculateCase{"AllEmptyTakeDefaults",
                                  {},
                                  kDefaults,
                                  {shown("25.5"), shown("25.3"), shown("99%"), shown("60mph")},
                                  Calculated{}},
                    CalculateCase{"NewDiameterWithTrailingPoint",
                                  {"195", "75", "14", "225", "45", "16"},
                                  {"195", "75", "14", "225", "45", "16"},
                                  {shown("25.5"), shown("24."), shown("94%"), shown("56mph")},
                                  Calculated{}},
                    CalculateCase{"SwappedTyresRoundSpeedUp",
                                  {"225", "45", "16", "195", "75", "14"},
                                  {"225", "45", "16", "195", "75", "14"},
                                  {shown("24."), shown("25.5"), shown("106%"), shown("64mph")},
                                  Calculated{}},
                    CalculateCase{"OnlyEmptyEntriesGetDefaults",
                                  {"", "45", "", "225", "", "17"},
                                  {"195", "45", "14", "225", "55", "17"},
                                  {shown("20.9"), shown("26.8"), shown("128%"), shown("77mph")},
                                  Calculated{}},
                    CalculateCase{"HalvesGoToEvenTextKept",
                                  {"195", "75", "14.5", "195", "75", "15.5"},
                                  {"195", "75", "14.5", "195", "75", "15.5"},
                                  {shown("25.5"), shown("27.5"), shown("108%"), shown("65mph")},
                                  Calculated{}},
                    CalculateCase{"IdenticalTyres",
                                  {"205", "55", "16", "205", "55", "16"},
                                  {"205", "55", "16", "205", "55", "16"},
                                  {shown("24.9"), shown("24.9"), shown("100%"), shown("60mph")},
                                  Calculated{}},
                    CalculateCase{
                        "LargestEntries",
                        {"32767", "32767", "32767", "32767", "32767", "32767"},
                        {"32767", "32767", "32767", "32767", "32767", "32767"},
                        {shown("878823.9"), shown("878823.9"), shown("100%"), shown("60mph")},
                        Calculated{}}),
    [](const auto &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Fails, CalculateComparisonTest,
    testing::Values(CalculateCase{"BlanksAreNotEmpty",
                                  {" ", "", "", "", "", ""},
                                  {" ", "", "", "", "", ""},
                                  {kHidden, kHidden, kHidden, kHidden},
                                  CalcFailure{CalcError::TypeMismatch, Entry::Width}},
                    CalculateCase{"DefaultsBeforeTheErrorStay",
                                  {"", "", "1.2.3", "", "", ""},
                                  {"195", "75", "1.2.3", "", "", ""},
                                  {kHidden, kHidden, kHidden, kHidden},
                                  CalcFailure{CalcError::TypeMismatch, Entry::Rim}},
                    CalculateCase{"OverflowInNewWall",
                                  {"", "", "", "", "40000", ""},
                                  {"195", "75", "14", "215", "40000", ""},
                                  {kHidden, kHidden, kHidden, kHidden},
                                  CalcFailure{CalcError::Overflow, Entry::Wall2}},
                    CalculateCase{"HalfRoundsOutOfRange",
                                  {"", "", "", "32767.5", "", ""},
                                  {"195", "75", "14", "32767.5", "", ""},
                                  {kHidden, kHidden, kHidden, kHidden},
                                  CalcFailure{CalcError::Overflow, Entry::Width2}},
                    CalculateCase{"OriginalDiameterShowsAsPoint",
                                  {"0", "0", "0", "", "", ""},
                                  {"0", "0", "0", "215", "55", "16"},
                                  {shown("."), shown("25.3"), kHidden, kHidden},
                                  CalcFailure{CalcError::TypeMismatch, Output::Diameter}},
                    CalculateCase{"NewDiameterShowsAsPoint",
                                  {"", "", "", "0", "0", "0"},
                                  {"195", "75", "14", "0", "0", "0"},
                                  {shown("25.5"), shown("."), kHidden, kHidden},
                                  CalcFailure{CalcError::TypeMismatch, Output::Diameter2}}),
    [](const auto &info) { return info.param.name; });

TEST(CalculateComparison, RepeatedRunGivesTheSameState) {
    ComparisonState once;
    ASSERT_TRUE(CalculateComparison(once).ok());
    ComparisonState twice = once;
    ASSERT_TRUE(CalculateComparison(twice).ok());
    EXPECT_EQ(twice, once);
}

TEST(CalculateComparison, ErrorHidesResultsOfAnEarlierRun) {
    ComparisonState state;
    ASSERT_TRUE(CalculateComparison(state).ok());
    state.txtRim2 = ".";
    ASSERT_FALSE(CalculateComparison(state).ok());
    EXPECT_EQ(state.lblMph, kHidden);
}

TEST(ClearComparison, EmptiesEntriesAndHidesResults) {
    ComparisonState state;
    ASSERT_TRUE(CalculateComparison(state).ok());
    ClearComparison(state);
    EXPECT_EQ(state, ComparisonState{});
    ClearComparison(state);
    EXPECT_EQ(state, ComparisonState{});
}

struct FailureTextCase {
    const char *name;
    CalcFailure failure;
    std::string expected;
};

void PrintTo(const FailureTextCase &c, std::ostream *os) {
    *os << c.name;
}

class DescribeFailureTest : public testing::TestWithParam<FailureTextCase> {};

TEST_P(DescribeFailureTest, SaysWhatAndWhere) {
    EXPECT_EQ(DescribeFailure(GetParam().failure), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, DescribeFailureTest,
    testing::Values(
        FailureTextCase{"NotANumber",
                        {CalcError::TypeMismatch, Entry::Wall2},
                        "The wall size of the new tire is not a number. Enter digits with at "
                        "most one decimal point."},
        FailureTextCase{"TooLarge",
                        {CalcError::Overflow, Entry::Width},
                        "The width of the original tire is too large: it may be at most 32767."},
        FailureTextCase{"DiameterZero",
                        {CalcError::TypeMismatch, Output::Diameter},
                        "The diameter of the original tire rounds to zero, so the tires cannot "
                        "be compared."}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace durnoval
