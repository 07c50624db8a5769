// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/wording.h"

#include <algorithm>
#include <array>

namespace durnoval {
namespace {

// By the index of each enumerator.
constexpr std::array<std::string_view, kEntries.size()> kEntryWords{
    "width of the original tire", "wall size of the original tire", "rim size of the original tire",
    "width of the new tire",      "wall size of the new tire",      "rim size of the new tire",
};
constexpr std::array<std::string_view, kOutputs.size()> kOutputWords{
    "diameter of the original tire",
    "diameter of the new tire",
    "new diameter in percent of the original",
    "true speed when the speedometer reads 60 mph",
};

} // namespace

std::string_view describe(Entry entry) {
    return kEntryWords[indexOf(entry)];
}

std::string_view describe(Output output) {
    return kOutputWords[indexOf(output)];
}

std::string capitalised(std::string_view description) {
    std::string name(description);
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string failureMessage(const CalcFailure &failure) {
    if (const auto *entry = std::get_if<Entry>(&failure.where)) {
        const std::string what(describe(*entry));
        if (failure.error == CalcError::Overflow)
            return "The " + what + " is too large: it may be at most 32767.";
        return "The " + what + " is not a number. Enter digits with at most one decimal point.";
    }
    const std::string what(describe(std::get<Output>(failure.where)));
    if (failure.error == CalcError::TypeMismatch) // a diameter that shows as '.'
        return "The " + what + " rounds to zero, so the tires cannot be compared.";
    return "The " + what + " cannot be calculated.";
}

std::string announcement(const ComparisonState &before, const ComparisonState &after,
                         std::optional<Entry> echoed) {
    std::string filled, shown;
    bool entriesCleared = false, resultsCleared = false;
    for (const EntryInfo &info : kEntries) {
        const std::string &was = before[info.entry], &is = after[info.entry];
        if (was.empty() && !is.empty() && info.entry != echoed)
            filled += (filled.empty() ? "Filled in: " : ", ") + std::string(describe(info.entry)) +
                      ' ' + is;
        entriesCleared = entriesCleared || (!was.empty() && is.empty());
    }
    for (const Output output : kOutputs) {
        if (after[output])
            shown += ' ' + capitalised(describe(output)) + ": " + *after[output] +
                     (after[output]->ends_with('.') ? "" : "."); // "24." ends its own sentence
        resultsCleared = resultsCleared || (before[output] && !after[output]);
    }
    // Where results are shown, they say it all; a message tells why the others are not.
    if (shown.empty() && entriesCleared)
        shown = resultsCleared ? " Entries and results cleared." : " Entries cleared.";
    else if (shown.empty() && resultsCleared)
        shown = " Results cleared.";
    return filled.empty() ? shown.substr(std::min<std::size_t>(1, shown.size()))
                          : filled + '.' + shown;
}

} // namespace durnoval
