// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calc/comparison.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace durnoval {

class Forms;
template <typename Form> struct ControlSpec;

// The main window: six entry fields bound to a ComparisonState, its four result labels, the
// command buttons and the File and Help menus. It routes every user action to Calculate,
// Clear, the about window or the exit sequence.
class frmDurnoval : public QMainWindow {
    Q_OBJECT
public:
    explicit frmDurnoval(Forms &forms);
    ~frmDurnoval() override;

private:
    static const ControlSpec<frmDurnoval> kControls[];

    void createClientArea();
    void createMenus();
    void bindState();
    void keepCalculateDefault(QWidget *focused);

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
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    QLineEdit *txtWidth = nullptr;
    QLineEdit *txtWall = nullptr;
    QLineEdit *txtRim = nullptr;
    QLineEdit *txtWidth2 = nullptr;
    QLineEdit *txtWall2 = nullptr;
    QLineEdit *txtRim2 = nullptr;
    QLabel *lblOutput = nullptr;
    QLabel *lblOutput2 = nullptr;
    QLabel *lblPercent = nullptr;
    QLabel *lblMph = nullptr;
    QPushButton *cmdCalc = nullptr;

    Forms &m_forms;
    ComparisonState m_state;
    // The fields and results in the order of the comparison's entry and output slots.
    std::array<QLineEdit *, kEntrySlots.size()> m_entries{};
    std::array<QLabel *, kOutputSlots.size()> m_outputs{};
    std::vector<QAction *> m_menuActions;
    QPointer<QWidget> m_focusWhenHidden;
};

} // namespace durnoval
