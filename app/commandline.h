// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

#include <optional>
#include <vector>

namespace durnoval {

// Whether the user asks for help or the version, which are answered without a window system.
bool asksForHelpOrVersion(int argc, char *argv[]);

// The arguments the application object is made with: the user's, and a platform where the user
// names none. On Linux that is X11, which a Wayland desktop serves through XWayland: only there
// does the window manager place the windows, keep the confirmation off the task bar and in
// place, and draw its own frame. Wayland is tried only where no X server answers. Help and
// version need no display, so they get the offscreen platform. Null-terminated, as argv is.
std::vector<char *> toolkitArguments(int argc, char *argv[], bool answerOnly);

// Reads the arguments the toolkit has left once it took its own (-platform, -style, and whatever
// else this Qt takes): help, version, or a mistake. Returns the exit status when the program is
// to end at once; nothing when it is to show its window.
std::optional<int> readCommandLine(const QStringList &arguments);

} // namespace durnoval
