// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace durnoval {

class Forms;

// Draws the windows offscreen in the Fusion style, whatever the desktop asks for; call before
// the application object is made.
void drawOffscreenInFusion();

// Shows the three windows as their pictures show them, one after another, and hands each to
// take while it is on the screen: the main window after Calculate on the default tyres
// (durnoval.png), the about window (about.png) and the exit confirmation (exit.png).
void showWindowsForPictures(Forms &forms,
                            const std::function<void(const QString &file, QWidget &window)> &take);

// Text comes out differently from one Qt or FreeType version to the next (glyph shapes, line
// spacing), so pictures are kept per renderer, named like qt6.4-freetype2.12.
QString rendererName();

} // namespace durnoval
