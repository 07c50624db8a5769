// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace durnoval {

class frmAbout;
class frmDurnoval;
class frmEndDurnoval;

// The program's windows: one instance of each, created on its first show and kept, hidden or
// not, until the program ends. Windows are independent top-level windows without an owner;
// what one asks for, Forms does.
class Forms : public QObject {
    Q_OBJECT
public:
    // endProgram ends the event loop; tests pass their own to watch the program end.
    explicit Forms(std::function<void()> endProgram = {});
    ~Forms() override;

    frmDurnoval &durnoval();
    frmAbout &about();
    frmEndDurnoval &endDurnoval();

    void showDurnoval();
    void showEndDurnoval();
    void showAbout();

    // Ends the program at once: every window goes and the event loop returns 0.
    void endProgram();

private:
    void giveKeyboardHome();

    std::function<void()> m_endProgram;
    std::unique_ptr<frmDurnoval> m_durnoval;
    std::unique_ptr<frmAbout> m_about;
    std::unique_ptr<frmEndDurnoval> m_endDurnoval;
};

} // namespace durnoval
