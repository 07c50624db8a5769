// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QPushButton;

namespace durnoval {

class Forms;

// The exit confirmation: a frameless window that either ends the program ("Yes") or brings
// the main window back ("Not Yet!").
class frmEndDurnoval : public QWidget {
    Q_OBJECT
public:
    explicit frmEndDurnoval(Forms &forms);

private:
    void createControls();
    void applyMenuColours();

    void cmdYes_Click();
    void cmdNo_Click();

    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    Forms &m_forms;
    QPushButton *m_cmdYes = nullptr;
    QPushButton *m_cmdNo = nullptr;
};

} // namespace durnoval
