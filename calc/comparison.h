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
#include <cstddef>
#include <cstdint>
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
enum class Entry { Width, Wall, Rim, Width2, Wall2, Rim2 };
// Both diameters, the new one in percent of the original, and the true speed.
enum class Output { Diameter, Diameter2, Percent, Mph };

struct EntryInfo {
    Entry entry;
    std::string_view description; // what the user types there, in words
    std::string_view defaultText; // what an empty entry stands for
};

struct OutputInfo {
    Output output;
    std::string_view description;
};

// Every entry in the order Calculate resolves them, every result in the order it makes them;
// each at the index of its enumerator.
inline constexpr std::array<EntryInfo, 6> kEntries{{
    {Entry::Width, "width of the original tire", "195"},
    {Entry::Wall, "wall size of the original tire", "75"},
    {Entry::Rim, "rim size of the original tire", "14"},
    {Entry::Width2, "width of the new tire", "215"},
    {Entry::Wall2, "wall size of the new tire", "55"},
    {Entry::Rim2, "rim size of the new tire", "16"},
}};

inline constexpr std::array<OutputInfo, 4> kOutputs{{
    {Output::Diameter, "diameter of the original tire"},
    {Output::Diameter2, "diameter of the new tire"},
    {Output::Percent, "new diameter in percent of the original"},
    {Output::Mph, "true speed when the speedometer reads 60 mph"},
}};

constexpr std::size_t indexOf(Entry entry) {
    return static_cast<std::size_t>(entry);
}
constexpr std::size_t indexOf(Output output) {
    return static_cast<std::size_t>(output);
}
constexpr const EntryInfo &infoOf(Entry entry) {
    return kEntries[indexOf(entry)];
}
constexpr const OutputInfo &infoOf(Output output) {
    return kOutputs[indexOf(output)];
}

struct ResultText {
    std::string text;
    bool visible = false;
    bool operator==(const ResultText &) const = default;
};

// What the comparison holds: each entry's text, as typed or as Calculate filled it in, and
// each result. A fresh state, as after Clear, has every entry empty and every result empty and
// hidden.
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
