// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The tyre comparison, as data flows through it:
//   six entry texts --(empty ones get the default pair written in)--> IntegerFromText
//   --> two TireSpecs --> overall diameters d = wall / 100 * (width * 0.0394) * 2 + rim
//   --> display texts "##.#" --> read back with DoubleFromText (the comparison works on the
//   diameters as shown) --> ratio new / original --> "##%" and the true speed at 60 mph "##mph".
// Every step writes into ComparisonState at once, so a failed Calculate leaves the state as
// far as it got: the defaults it wrote and the results it made; results it did not reach are
// empty and hidden.

#include "calc/calcerror.h"
#include "calc/result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace durnoval {

struct TireSpec {
    std::int16_t width = 0; // millimetres
    std::int16_t wall = 0;  // sidewall height in percent of the width
    std::int16_t rim = 0;   // inches
};

struct ResultText {
    std::string text;
    bool visible = false;
    bool operator==(const ResultText &) const = default;
};

// The main window's working state, slot by slot under the names of the controls showing it.
struct ComparisonState {
    std::string txtWidth;
    std::string txtWall;
    std::string txtRim;
    std::string txtWidth2;
    std::string txtWall2;
    std::string txtRim2;
    ResultText lblOutput;  // diameter of the original tyre, inches
    ResultText lblOutput2; // diameter of the new tyre, inches
    ResultText lblPercent; // new diameter as a percentage of the original
    ResultText lblMph;     // true speed when the speedometer reads 60 mph
    bool operator==(const ComparisonState &) const = default;
};

enum class Entry { Width, Wall, Rim, Width2, Wall2, Rim2 };
enum class Output { Diameter, Diameter2, Percent, Mph };

struct EntrySlot {
    Entry entry;
    std::string ComparisonState::*text;
    std::string_view description; // what the user types there, in words
    std::int16_t defaultValue;
    std::string_view defaultText;
};

struct OutputSlot {
    Output output;
    ResultText ComparisonState::*result;
    std::string_view description;
};

// In the order Calculate resolves them.
inline constexpr std::array<EntrySlot, 6> kEntrySlots{{
    {Entry::Width, &ComparisonState::txtWidth, "width of the original tire", 195, "195"},
    {Entry::Wall, &ComparisonState::txtWall, "wall size of the original tire", 75, "75"},
    {Entry::Rim, &ComparisonState::txtRim, "rim size of the original tire", 14, "14"},
    {Entry::Width2, &ComparisonState::txtWidth2, "width of the new tire", 215, "215"},
    {Entry::Wall2, &ComparisonState::txtWall2, "wall size of the new tire", 55, "55"},
    {Entry::Rim2, &ComparisonState::txtRim2, "rim size of the new tire", 16, "16"},
}};

inline constexpr std::array<OutputSlot, 4> kOutputSlots{{
    {Output::Diameter, &ComparisonState::lblOutput, "diameter of the original tire"},
    {Output::Diameter2, &ComparisonState::lblOutput2, "diameter of the new tire"},
    {Output::Percent, &ComparisonState::lblPercent, "new diameter in percent of the original"},
    {Output::Mph, &ComparisonState::lblMph, "true speed when the speedometer reads 60 mph"},
}};

constexpr const EntrySlot &slotOf(Entry entry) {
    return kEntrySlots[static_cast<int>(entry)];
}
constexpr const OutputSlot &slotOf(Output output) {
    return kOutputSlots[static_cast<int>(output)];
}

// Where Calculate stopped: the entry that did not convert, or the result it could not make.
struct CalcFailure {
    CalcError error;
    std::variant<Entry, Output> where;
    bool operator==(const CalcFailure &) const = default;
};

struct Calculated {
    bool operator==(const Calculated &) const = default;
};

using CalcOutcome = Result<Calculated, CalcFailure>;

CalcOutcome CalculateComparison(ComparisonState &state);
void ClearComparison(ComparisonState &state);

// The diameter in inches, computed in the order the display relies on; ArithmeticFault if the
// double arithmetic fails, which 16-bit inputs cannot make happen.
Result<double> OverallDiameter(const TireSpec &tire);

// One sentence for the user on what stopped Calculate and where.
std::string DescribeFailure(const CalcFailure &failure);

} // namespace durnoval
