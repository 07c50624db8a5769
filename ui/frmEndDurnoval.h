// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QPushButton;

namespace durnoval {

// The exit confirmation: a frameless window that either ends the program ("Yes", its default
// button) or brings the main window back ("Not Yet!", as Esc does).
class frmEndDurnoval : public QDialog {
    Q_OBJECT
public:
    frmEndDurnoval();

    void reject() override;

signals:
    // "Yes": the program is to end at once.
    void exitConfirmed();
    // "Not Yet!": the main window is to come back; this window hides itself after.
    void exitCancelled();

private:
    void applyMenuColours();
    void createControls();

    void cmdNo_Click();

    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    QPushButton *cmdYes = nullptr;
};

} // namespace durnoval
