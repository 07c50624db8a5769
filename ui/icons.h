// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

namespace durnoval {

// The windows' icons. Their pictures are XPM, which is C, and compiled in: an icon is made
// without a file, an image reader or the image format plugins a reader looks through first.
QIcon smileyIcon();   // the main window's, drawn at 16 and 32 pixels
QIcon questionIcon(); // the exit confirmation's

} // namespace durnoval
