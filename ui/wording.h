// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/comparison.h"

#include <optional>
#include <string>
#include <string_view>

namespace durnoval {

// What each entry and result is, in the words the user reads ("width of the original tire"):
// the fields' and the results' names to a screen reader, and the messages.
std::string_view describe(Entry entry);
std::string_view describe(Output output);

// A description made a name: "Width of the original tire".
std::string capitalised(std::string_view description);

// One sentence for the user on what stopped Calculate and where.
std::string failureMessage(const CalcFailure &failure);

// What a screen reader says once a command has changed the window from BEFORE to AFTER: the
// defaults written into empty fields, then the results shown or, where none is, what was
// cleared; empty when nothing changed. A default the screen reader reads out as it arrives in
// the focused field (ECHOED) is not said again.
std::string announcement(const ComparisonState &before, const ComparisonState &after,
                         std::optional<Entry> echoed);

} // namespace durnoval
