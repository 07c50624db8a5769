// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace durnoval {

// Reads the arguments before any window system is touched, so that help, version and mistakes
// are answered even where there is no display. Returns the exit status when the program is to
// end at once (help, version, errors); nothing when it is to show its window. Qt's own options
// (-platform, -style, ...) are left for the toolkit, which takes them when the application
// object is made.
std::optional<int> readCommandLine(int argc, char *argv[]);

} // namespace durnoval
