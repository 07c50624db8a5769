// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include <optional>

namespace durnoval {

// Whether the user asks for help or the version, which are answered without a window system.
bool asksForHelpOrVersion(int argc, char *argv[]);

// Reads the arguments the toolkit has left once it took its own (-platform, -style, and whatever
// else this Qt takes): help, version, or a mistake. Returns the exit status when the program is
// to end at once; nothing when it is to show its window.
std::optional<int> readCommandLine(const QStringList &arguments);

} // namespace durnoval
