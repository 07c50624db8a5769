// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace durnoval {

// A window's client area: the controls sit on it at fixed places, and a double-click on its
// bare background, outside every visible control, is reported as the window's own.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget *parent = nullptr);

signals:
    void backgroundDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace durnoval
