// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace durnoval {

// The arguments the application object is made with: the user's, and a platform where the user
// names none. On Linux that is X11, which a Wayland desktop serves through XWayland: only there
// does the window manager place the windows, keep the confirmation off the task bar and in
// place, and draw its own frame. Wayland is tried only where no X server answers. Help and
// version need no display, so they get the offscreen platform. Null-terminated, as argv is.
std::vector<char *> toolkitArguments(int argc, char *argv[], bool answerOnly);

// While the application object is made, Qt's messages are held back, and its plugin loader says
// why a library does not load. When no platform can be started, Qt would write several lines of
// advice and abort; instead the program says in one line what failed, as Qt's own diagnostics
// tell it (no display, no such plugin, or a plugin that could not be loaded, and why), and exits
// with status 1. Once a platform is started, the messages held back are written, but for the
// platform plugins' and the loader's own, which come only when QT_DEBUG_PLUGINS asks for them.
void watchStartUp();
void endStartUpWatch(bool answerOnly);

} // namespace durnoval
