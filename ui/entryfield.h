// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace durnoval {

// An entry field. Typing reaches it only through the key filter, whatever way the text comes: a
// key press, Ctrl+H (which erases as Backspace does), or text that dead keys, compose or an
// input method commit. Pasting is not typing: a paste is kept as it is, up to one character
// beyond the longest entry. The window's menu shortcuts
// come before the field's own editing keys, and its editing menu names no keys, as they type
// nothing here.
class EntryField : public QLineEdit {
public:
    explicit EntryField(QWidget *parent);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};

} // namespace durnoval
