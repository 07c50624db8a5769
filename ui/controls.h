// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/fonts.h"

#include <QString>
#include <Qt>

#include <optional>
#include <span>

class QWidget;

namespace durnoval {

enum class ControlKind { Label, TextBox, Button, Picture };

// One control of a window's design: geometry in twips, the font (none: the window's), the
// text (for a picture, its resource), tab index (none for controls that take no focus),
// tooltip and accessible name (none: the control's text, which Qt gives screen readers).
struct ControlSpec {
    const char *name;
    ControlKind kind;
    const char *text;
    int left, top, width, height;
    std::optional<FontSpec> font;
    Qt::Alignment alignment;
    bool framed;
    bool visible;
    std::optional<int> tabIndex;
    const char *toolTip;
    const char *accessibleName;
};

// Builds the controls as children of the window's client area and chains the focusable ones
// in the order of their tab indices.
void createControls(QWidget *clientArea, std::span<const ControlSpec> controls);

} // namespace durnoval
