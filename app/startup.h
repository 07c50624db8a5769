// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace durnoval {

// While the application object is made, Qt's messages are held back, and its plugin loader says
// why a library does not load. When no platform can be started, Qt would write several lines of
// advice and abort; instead the program says in one line what failed, as Qt's own diagnostics
// tell it (no display, no such plugin, or a plugin that could not be loaded, and why), and exits
// with status 1. Once a platform is started, the messages held back are written, but for the
// platform plugins' and the loader's own, which come only when QT_DEBUG_PLUGINS asks for them.
void watchStartUp();
void endStartUpWatch(bool answerOnly);

} // namespace durnoval
