// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace durnoval {

// The windows are designed in twips, 15 to the pixel at 96 dpi. Qt's device-independent
// pixels are that pixel, so high-dpi screens scale the design as a whole.
constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips) {
    return twips / kTwipsPerPixel;
}

constexpr QPoint twipsPoint(int x, int y) {
    return {pixels(x), pixels(y)};
}
constexpr QSize twipsSize(int width, int height) {
    return {pixels(width), pixels(height)};
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsPoint(left, top), twipsSize(width, height)};
}

} // namespace durnoval
