// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/keyfilter.h"

#include <QKeyEvent>

namespace durnoval {

std::optional<int> typedCharacterCode(const QKeyEvent &event) {
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return std::nullopt;
    case Qt::Key_Backspace:
        return kBackspace;
    default:
        break;
    }
    if (event.modifiers().testFlag(Qt::ControlModifier) && event.key() >= Qt::Key_A &&
        event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    if (event.text().isEmpty())
        return std::nullopt;
    return event.text().front().unicode();
}

} // namespace durnoval
