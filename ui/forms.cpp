// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms.h"

#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"
#include "ui/showinfront.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QScreen>

#include <algorithm>

namespace durnoval {
namespace {

void quitEventLoop() {
    QCoreApplication::exit(0);
}

// Where a frame of this size stands centred on the screen less its panels. One larger than that,
// or on a screen that reports no size, starts at the screen's corner instead, so that its title
// bar and menus stay within reach.
QPoint centredCorner(QSize frame) {
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 0, 0);
    const QPoint centred = area.center() - QRect(QPoint(), frame).center();
    return {std::max(centred.x(), area.left()), std::max(centred.y(), area.top())};
}

// Where a window stands: centred when first shown, and at the same place whenever it is shown
// again. A window's position is that of its frame, which the window manager adds only once the
// window is on the screen, so the window is centred again, once, when its frame is known. Some
// window managers (mutter) hand a hidden window back at its frame's corner, which would move it
// up by its title bar at each showing; the place it had when hidden is put back before it shows.
class Placement : public QObject {
public:
    explicit Placement(QWidget &window)
        : QObject(&window), m_centring(!window.windowFlags().testFlag(Qt::FramelessWindowHint)) {
        window.move(centredCorner(window.size()));
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        auto &window = static_cast<QWidget &>(*watched);
        if (event->type() == QEvent::Move && m_centring &&
            window.frameGeometry().size() != window.size()) {
            m_centring = false;
            window.move(centredCorner(window.frameGeometry().size()));
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            m_place = window.geometry();
        } else if (event->type() == QEvent::Show && !event->spontaneous() && m_place.isValid()) {
            window.setGeometry(m_place);
        }
        return false;
    }

private:
    bool m_centring;
    QRect m_place;
};

// Screen readers announce the confirmation as an alert, named by its title; Qt gives every
// other dialog the dialog role.
QAccessibleInterface *alertRole(const QString &, QObject *object) {
    if (auto *confirmation = qobject_cast<frmEndDurnoval *>(object))
        return new QAccessibleWidget(confirmation, QAccessible::AlertMessage);
    return nullptr;
}

// Creates a window on first use, centred; later uses find it where the user left it.
template <typename Window> void create(std::unique_ptr<Window> &window) {
    window = std::make_unique<Window>();
    new Placement(*window);
}

} // namespace

Forms::Forms(std::function<void()> endProgram)
    : m_endProgram(endProgram ? std::move(endProgram) : quitEventLoop) {
    QAccessible::installFactory(alertRole);
    // Only "Yes" in the exit window ends the program; the main window is hidden while it asks.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

Forms::~Forms() = default;

frmDurnoval &Forms::durnoval() {
    if (!m_durnoval) {
        create(m_durnoval);
        connect(m_durnoval.get(), &frmDurnoval::exitRequested, this, &Forms::showEndDurnoval);
        connect(m_durnoval.get(), &frmDurnoval::aboutRequested, this, &Forms::showAbout);
    }
    return *m_durnoval;
}

frmAbout &Forms::about() {
    if (!m_about) {
        create(m_about);
        connect(m_about.get(), &QDialog::finished, this, &Forms::giveKeyboardHome);
    }
    return *m_about;
}

frmEndDurnoval &Forms::endDurnoval() {
    if (!m_endDurnoval) {
        create(m_endDurnoval);
        connect(m_endDurnoval.get(), &frmEndDurnoval::exitConfirmed, this, &Forms::endProgram);
        connect(m_endDurnoval.get(), &frmEndDurnoval::exitCancelled, this, &Forms::showDurnoval);
    }
    return *m_endDurnoval;
}

void Forms::showDurnoval() {
    showInFront(durnoval());
}

void Forms::showEndDurnoval() {
    showInFront(endDurnoval());
}

void Forms::showAbout() {
    showInFront(about());
}

// Without a window manager nobody else gives the keyboard on when a window goes: the window
// left on the screen takes it, the confirmation while it asks.
void Forms::giveKeyboardHome() {
    QWidget *home = m_endDurnoval && m_endDurnoval->isVisible()
                        ? static_cast<QWidget *>(m_endDurnoval.get())
                        : m_durnoval.get();
    if (home)
        home->activateWindow();
}

void Forms::endProgram() {
    // Hidden windows take no more input, so no handler runs after this one.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    m_endProgram();
}

} // namespace durnoval
