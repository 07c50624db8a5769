// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

namespace durnoval {

// Shows a window as the user asks for it: visible, back from minimized if a window manager
// minimized it, in front and active.
void showInFront(QWidget &window);

} // namespace durnoval
