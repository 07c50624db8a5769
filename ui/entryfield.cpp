// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/entryfield.h"

#include "calc/comparison.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

#include <optional>

namespace durnoval {
namespace {

constexpr int kBackspace = 8;

// The key filter: Backspace, '.' and the digits pass unchanged; any other character code
// becomes 0, which discards the key.
constexpr int filterEntryKey(int keyAscii) {
    const bool passes =
        keyAscii == kBackspace || keyAscii == '.' || (keyAscii >= '0' && keyAscii <= '9');
    return passes ? keyAscii : 0;
}

// The character code a key press types: Ctrl with a letter is its control code (Ctrl+V is 22).
// Keys that type nothing (arrows, Home, End, Delete) and the keys the window itself acts on
// (Tab, Enter, Esc) have none.
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

} // namespace

EntryField::EntryField(QWidget *parent) : QLineEdit(parent) {
    // A paste of any size keeps the window quick: the field keeps one character beyond the
    // longest entry, enough for Calculate to say it is too large.
    setMaxLength(static_cast<int>(kLongestEntry) + 1);
    // Left as designed, also where the language runs right to left.
    setAlignment(Qt::AlignLeft);
}

bool EntryField::event(QEvent *event) {
    // The field would claim Ctrl+C, Ctrl+X, Ctrl+E and Shift+Del for editing; the window's menu
    // shortcuts come first.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : window()->findChildren<QAction *>())
            if (action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
    }
    return QLineEdit::event(event);
}

void EntryField::keyPressEvent(QKeyEvent *event) {
    const std::optional<int> code = typedCharacterCode(*event);
    if (code && filterEntryKey(*code) == 0)
        return; // discarded
    if (code == kBackspace && event->key() != Qt::Key_Backspace)
        backspace(); // Ctrl+H types Backspace's code, and so erases as Backspace does
    else
        QLineEdit::keyPressEvent(event);
}

// Dead keys, compose and input methods commit their text here, not as key presses: each
// character passes the same filter.
void EntryField::inputMethodEvent(QInputMethodEvent *event) {
    QString typed = event->commitString();
    typed.removeIf([](QChar c) { return c == QChar(kBackspace) || !filterEntryKey(c.unicode()); });
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(typed, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

// Qt's editing menu without the keys it names beside its items: here they type nothing (Ctrl+V,
// Ctrl+A) or run the window's commands (Ctrl+C, Ctrl+X).
void EntryField::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu();
    for (QAction *item : menu->actions()) {
        item->setText(item->text().section('\t', 0, 0));
        item->setShortcut({});
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace durnoval
