// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/forms.h"

#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QScreen>

#include <type_traits>

namespace durnoval {
namespace {

void quitEventLoop() {
    QCoreApplication::exit(0);
}

QPoint screenCentre() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().center() : QPoint();
}

// A window's position is that of its frame, which the window manager adds only once the
// window is on the screen: the window is first centred as if it had none, then centred again,
// once, as soon as its frame is known.
class CentreByFrame : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override {
        auto &window = static_cast<QWidget &>(*watched);
        if (event->type() == QEvent::Move && window.frameGeometry().size() != window.size()) {
            window.move(screenCentre() - window.frameGeometry().center() + window.pos());
            window.removeEventFilter(this); // done; the window owns what is left of it
        }
        return false;
    }
};

void centreOnScreen(QWidget &window) {
    window.move(screenCentre() - window.rect().center());
    if (!window.windowFlags().testFlag(Qt::FramelessWindowHint))
        window.installEventFilter(new CentreByFrame(&window));
}

// Screen readers announce the confirmation as an alert, named by its title; Qt gives every
// other dialog the dialog role.
QAccessibleInterface *alertRole(const QString &, QObject *object) {
    if (auto *confirmation = qobject_cast<frmEndDurnoval *>(object))
        return new QAccessibleWidget(confirmation, QAccessible::AlertMessage);
    return nullptr;
}

// Creates a window on first use, centred; later uses find it where the user left it.
template <typename Window> Window &instance(std::unique_ptr<Window> &window, Forms &forms) {
    if (!window) {
        if constexpr (std::is_constructible_v<Window, Forms &>)
            window = std::make_unique<Window>(forms);
        else
            window = std::make_unique<Window>();
        centreOnScreen(*window);
    }
    return *window;
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
    return instance(m_durnoval, *this);
}

frmAbout &Forms::about() {
    return instance(m_about, *this);
}

frmEndDurnoval &Forms::endDurnoval() {
    return instance(m_endDurnoval, *this);
}

void Forms::showDurnoval() {
    show(durnoval());
}

void Forms::showEndDurnoval() {
    show(endDurnoval());
}

void Forms::showAbout() {
    show(about());
}

void Forms::endProgram() {
    // Hidden windows take no more input, so no handler runs after this one.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    m_endProgram();
}

void Forms::show(QWidget &window) {
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace durnoval
