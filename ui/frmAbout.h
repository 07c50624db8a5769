// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QPushButton;

namespace durnoval {

// The about window: the wheel picture, the program's title, its authors and their address,
// and one button that puts the window away, as Esc does.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();

private:
    void createControls(QWidget *area);

    void showEvent(QShowEvent *event) override;

    QPushButton *cmdEnd = nullptr;
};

} // namespace durnoval
