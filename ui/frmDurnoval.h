// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/comparison.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace durnoval {

class Forms;

// The main window: six entry fields bound to a ComparisonState, its four result labels, the
// command buttons and the File and Help menus. It routes every user action to Calculate,
// Clear, the about window or the exit sequence.
class frmDurnoval : public QMainWindow {
    Q_OBJECT
public:
    explicit frmDurnoval(Forms &forms);

    const ComparisonState &state() const { return m_state; }

private:
    void createClientArea();
    void createMenus();
    void bindState();

    void cmdCalc_Click();
    void Calc_Click();
    void cmdClear_Click();
    void Clear_Click();
    void cmdExit_Click();
    void End_Click();
    void About_Click();
    void Form_DblClick();
    void txtWidth_KeyPress(int &KeyAscii);
    void txtWall_KeyPress(int &KeyAscii);
    void txtRim_KeyPress(int &KeyAscii);
    void txtWidth2_KeyPress(int &KeyAscii);
    void txtWall2_KeyPress(int &KeyAscii);
    void txtRim2_KeyPress(int &KeyAscii);

    void showState();
    void reportFailure(const CalcFailure &failure);
    bool isMenuShortcut(const QKeyEvent &event) const;
    bool filterEntryEvent(std::size_t entry, QEvent *event);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    Forms &m_forms;
    ComparisonState m_state;
    std::array<QLineEdit *, kEntrySlots.size()> m_entries{};
    std::array<QLabel *, kOutputSlots.size()> m_outputs{};
    QPushButton *m_cmdCalc = nullptr;
    std::vector<QAction *> m_menuActions;
};

} // namespace durnoval
