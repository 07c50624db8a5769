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
// none.

#include "calc/calcerror.h"
#include "calc/result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace durnoval {

// A tyre size, always given in full.
struct TireSpec {
    std::int16_t width; // millimetres
    std::int16_t wall;  // sidewall height in percent of the width
    std::int16_t rim;   // inches
};

// Width, wall and rim of the original tyre, then of the new one.
enum class Entry { OriginalWidth, OriginalWall, OriginalRim, NewWidth, NewWall, NewRim };
// Both overall diameters, the new one's ratio to the original, and the true speed when the
// speedometer, calibrated for the original, reads 60 mph.
enum class Output { OriginalDiameter, NewDiameter, Ratio, TrueSpeed };

struct EntryInfo {
    Entry entry;
    std::string_view defaultText; // what an empty entry stands for
};

// The longest entry read as a number. No real entry comes near it; a longer one, which only a
// paste can make, is too large whatever it says, so that a window need keep no more of a paste
// than one character beyond it.
inline constexpr std::size_t kLongestEntry = 1000;

// Every entry in the order Calculate resolves them, every result in the order it makes them;
// each at the index of its enumerator.
inline constexpr std::array<EntryInfo, 6> kEntries{{
    {Entry::OriginalWidth, "195"},
    {Entry::OriginalWall, "75"},
    {Entry::OriginalRim, "14"},
    {Entry::NewWidth, "215"},
    {Entry::NewWall, "55"},
    {Entry::NewRim, "16"},
}};
inline constexpr std::array kOutputs{Output::OriginalDiameter, Output::NewDiameter, Output::Ratio,
                                     Output::TrueSpeed};

constexpr std::size_t indexOf(Entry entry) {
    return static_cast<std::size_t>(entry);
}
constexpr std::size_t indexOf(Output output) {
    return static_cast<std::size_t>(output);
}
constexpr const EntryInfo &infoOf(Entry entry) {
    return kEntries[indexOf(entry)];
}

// A result as shown: its text, or none while it is hidden.
using ResultText = std::optional<std::string>;

// What the comparison holds: each entry's text, as typed or as Calculate filled it in, and
// each result. A fresh state, as after Clear, has every entry empty and no result.
class ComparisonState {
public:
    std::string &operator[](Entry entry) { return m_entries[indexOf(entry)]; }
    const std::string &operator[](Entry entry) const { return m_entries[indexOf(entry)]; }
    ResultText &operator[](Output output) { return m_results[indexOf(output)]; }
    const ResultText &operator[](Output output) const { return m_results[indexOf(output)]; }

    bool operator==(const ComparisonState &) const = default;

private:
    std::array<std::string, kEntries.size()> m_entries;
    std::array<ResultText, kOutputs.size()> m_results;
};

// Where Calculate stopped: the entry that did not convert, or the result it could not make.
struct CalcFailure {
    CalcError error;
    std::variant<Entry, Output> where;
    bool operator==(const CalcFailure &) const = default;
};

// Runs Calculate: the failure that stopped it, or none.
std::optional<CalcFailure> CalculateComparison(ComparisonState &state);
void ClearComparison(ComparisonState &state);

// The diameter in inches, computed in the order the display relies on; ArithmeticFault if the
// double arithmetic fails, which 16-bit inputs cannot make happen.
Result<double> OverallDiameter(const TireSpec &tire);

} // namespace durnoval
