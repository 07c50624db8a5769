// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace durnoval {

// The about window: the wheel picture, the program's title, its authors and their address,
// and one button that puts the window away.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    frmAbout();

private:
    void createControls();

    void cmdEnd_Click();
    void Form_DblClick();

    void showEvent(QShowEvent *event) override;
};

} // namespace durnoval
