// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/comparison.h"
#include "ui/wording.h"

#include <gtest/gtest.h>

#include <string>

namespace durnoval {
namespace {

// Types six entries separated by '/', as in "195/75/14/215/55/16"; any may be empty.
void type(ComparisonState &state, std::string_view entries) {
    for (const EntryInfo &info : kEntries) {
        const auto slash = entries.find('/');
        state[info.entry] = entries.substr(0, slash);
        entries.remove_prefix(slash == std::string_view::npos ? entries.size() : slash + 1);
    }
}

// What the user sees: the six entries ('_' when empty), then the four results, '-' for none.
std::string seen(const ComparisonState &state) {
    std::string text;
    for (const EntryInfo &info : kEntries)
        text += state[info.entry].empty() ? "_ " : state[info.entry] + " ";
    text += "|";
    for (const Output output : kOutputs)
        text += state[output] ? " " + *state[output] : " -";
    return text;
}

struct CalculateRow {
    const char *name;
    std::string entries;
    std::string seen;
    const char *message; // empty when Calculate succeeds
};

const std::string kLongest = std::string(kLongestEntry - 2, '0') + "14";

// clang-format off
TEST(CalculateComparison, ShowsBothDiametersThePercentageAndTheTrueSpeedOrStopsAtTheFirstFault) {
    const CalculateRow rows[] = {
        {"all defaults", "/////", "195 75 14 215 55 16 | 25.5 25.3 99% 60mph", ""},
        {"smaller new tyre", "195/75/14/225/45/16", "195 75 14 225 45 16 | 25.5 24. 94% 56mph", ""},
        {"some defaults", "/45//225//17", "195 45 14 225 55 17 | 20.9 26.8 128% 77mph", ""},
        {"halves to even", "195/75/14.5/195/75/15.5", "195 75 14.5 195 75 15.5 | 25.5 27.5 108% 65mph", ""},
        {"longest entry", "//" + kLongest, "195 75 " + kLongest + " 215 55 16 | 25.5 25.3 99% 60mph", ""},
        {"longer than that", "//" + kLongest + "0", "195 75 " + kLongest + "0 _ _ _ | - - - -", "The rim size of the original tire is too large: it may be at most 32767."},
        {"largest entries", "32767/32767/32767/32767/32767/32767", "32767 32767 32767 32767 32767 32767 | 878823.9 878823.9 100% 60mph", ""},
        // A fault stops it where it is found and says where.
        {"blank entry", " /////", "  _ _ _ _ _ | - - - -", "The width of the original tire is not a number. Enter digits with at most one decimal point."},
        {"two points", "//1.2.3///", "195 75 1.2.3 _ _ _ | - - - -", "The rim size of the original tire is not a number. Enter digits with at most one decimal point."},
        {"too large", "////40000/", "195 75 14 215 40000 _ | - - - -", "The wall size of the new tire is too large: it may be at most 32767."},
        {"rounds past the largest", "///32767.5//", "195 75 14 32767.5 _ _ | - - - -", "The width of the new tire is too large: it may be at most 32767."},
        {"original rounds to zero", "0/0/0///", "0 0 0 215 55 16 | . 25.3 - -", "The diameter of the original tire rounds to zero, so the tires cannot be compared."},
        {"new rounds to zero", "///0/0/0", "195 75 14 0 0 0 | 25.5 . - -", "The diameter of the new tire rounds to zero, so the tires cannot be compared."}};
    // clang-format on
    // Every row from a fresh window, and after the default tyres were calculated: nothing of an
    // earlier run may stay on the screen.
    ComparisonState earlier;
    ASSERT_FALSE(CalculateComparison(earlier));
    for (const auto &[name, entries, expected, message] : rows)
        for (ComparisonState state : {ComparisonState{}, earlier}) {
            type(state, entries);
            const std::optional<CalcFailure> failure = CalculateComparison(state);
            EXPECT_EQ(seen(state), expected) << name;
            EXPECT_EQ(failure ? failureMessage(*failure) : "", message) << name;
        }
}

// What a screen reader hears after each command: the defaults it wrote but the focused field's,
// which reads out its own new text, and the results, or what went.
TEST(Announcement, SaysWhatACommandChangedOnTheWindowOnce) {
    const struct {
        const char *name;
        const char *earlier; // the entries of a Calculate before, if any
        const char *typed;
        bool clear;
        std::optional<Entry> focused;
        const char *heard;
    } rows[] = {
        // clang-format off
        {"defaults and results", nullptr, "/45//225//", false, Entry::NewRim, "Filled in: width of the original tire 195, rim size of the original tire 14, wall size of the new tire 55. Diameter of the original tire: 20.9. Diameter of the new tire: 25.8. New diameter in percent of the original: 123%. True speed when the speedometer reads 60 mph: 74mph."},
        {"results again", "/////", "195/75/14/215/55/16", false, std::nullopt, "Diameter of the original tire: 25.5. Diameter of the new tire: 25.3. New diameter in percent of the original: 99%. True speed when the speedometer reads 60 mph: 60mph."},
        {"some results", nullptr, "0/0/0/1/2/3", false, std::nullopt, "Diameter of the original tire: . Diameter of the new tire: 3."},
        {"results gone", "/////", "195/75/14/215/x/16", false, std::nullopt, "Results cleared."},
        {"no results", nullptr, "x/////", false, std::nullopt, ""},
        {"clear after results", "/////", "195/75/14/215/55/16", true, std::nullopt, "Entries and results cleared."},
        {"clear typed entries", nullptr, "//14///", true, std::nullopt, "Entries cleared."},
        {"clear when clear", nullptr, "/////", true, std::nullopt, ""}};
    // clang-format on
    for (const auto &[name, earlier, typed, clear, focused, heard] : rows) {
        ComparisonState state;
        type(state, earlier ? earlier : "");
        if (earlier)
            CalculateComparison(state);
        type(state, typed);
        const ComparisonState before = state;
        clear ? ClearComparison(state) : static_cast<void>(CalculateComparison(state));
        EXPECT_EQ(announcement(before, state, focused), heard) << name;
    }
}

} // namespace
} // namespace durnoval
