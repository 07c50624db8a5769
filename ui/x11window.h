// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace durnoval {

// Tells the window manager, before the window is mapped, that task bars and pagers leave it out
// and that it may neither be moved nor resized. Qt has no flag for either, so this speaks to
// the X server directly; on other platforms it does nothing, and Qt::Tool is what keeps the
// window out of the task bar there.
void keepOffTaskBarAndInPlace(QWidget &window);

// Raises the window again whenever a normal window comes over it, but never above
// override-redirect ones (screen lockers, menus, tooltips). Window managers keep a window above
// the others when asked (Qt::WindowStaysOnTopHint); without one, nobody else would. Speaks to
// the X server; elsewhere it does nothing.
void raiseWhenCovered(QWidget &window);

} // namespace durnoval
