// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace durnoval {

inline constexpr const char *kSansSerifFace = "MS Sans Serif";
inline constexpr const char *kComicFace = "Comic Sans MS";

struct FontSpec {
    const char *face;
    double points;
    bool bold;
};

// The windows' own font when a control names none.
inline constexpr FontSpec kDefaultWindowFont{kSansSerifFace, 8.25, false};

// The font for a design face and size, in the nearest installed face. Sizes are fixed in pixels
// as at 96 dpi, so that text keeps its proportion to the controls, which are laid out in
// pixels too.
QFont designFont(const FontSpec &design);

} // namespace durnoval
