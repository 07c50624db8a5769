// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/comparison.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace durnoval {

// The main window: six entry fields bound to a ComparisonState, its four result labels, the
// command buttons and the File and Help menus. It runs Calculate and Clear itself, and asks
// for the about window and the exit confirmation through its signals.
class frmDurnoval : public QMainWindow {
    Q_OBJECT
public:
    frmDurnoval();

signals:
    // Exit or End: the window has hidden itself for the confirmation.
    void exitRequested();
    // About, or a double-click on the background.
    void aboutRequested();

private:
    void createControls(QWidget *area);
    void createButtons(QWidget *area);
    void createMenus();
    void addMenuItem(QMenu *menu, const char *name, const char *caption, QKeyCombination shortcut,
                     void (frmDurnoval::*handler)());

    void cmdCalc_Click();
    void cmdClear_Click();
    void cmdExit_Click();

    QLineEdit *field(Entry entry) const;
    QLabel *result(Output output) const;
    ComparisonState readEntries();
    void showState(const ComparisonState *before = nullptr);
    void reportFailure(const CalcFailure &failure);

    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    QPushButton *cmdCalc = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdExit = nullptr;

    ComparisonState m_state;
    // The entry fields (txtWidth to txtRim2) and result labels (lblOutput to lblMph), kept
    // by the entry or output they show.
    std::array<QLineEdit *, kEntries.size()> m_entries{};
    std::array<QLabel *, kOutputs.size()> m_outputs{};
    QPointer<QWidget> m_focusWhenHidden;
};

} // namespace durnoval
