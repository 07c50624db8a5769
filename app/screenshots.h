// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

namespace durnoval {

class Forms;

// Saves a picture of each window as a user sees it: the main window after a Calculate on the
// default tyres (durnoval.png), the about window (about.png) and the exit confirmation
// (exit.png). The README shows them, and a test checks that the windows still look so.
bool saveScreenshots(Forms &forms, const QString &folder);

} // namespace durnoval
