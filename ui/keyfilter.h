// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

class QKeyEvent;

namespace durnoval {

constexpr int kBackspace = 8;

// The entry fields' key filter: backspace, '.' and the digits pass unchanged; any other
// character code becomes 0, which discards the key.
constexpr int filterEntryKey(int keyAscii) {
    const bool passes =
        keyAscii == kBackspace || keyAscii == '.' || (keyAscii >= '0' && keyAscii <= '9');
    return passes ? keyAscii : 0;
}

// The character code a key press types, as the key-press handlers see it: Ctrl with a letter
// is its control code (Ctrl+V is 22). Keys that type nothing (arrows, Home, End, Delete) and
// the keys the window itself acts on (Tab, Enter, Esc) have none.
std::optional<int> typedCharacterCode(const QKeyEvent &event);

} // namespace durnoval
