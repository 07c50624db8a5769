#include "ui/forms.h"

#include "ui/fonts.h"
#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"
#include "ui/version.h"

#include <QApplication>
#include <QScreen>

#include <type_traits>

namespace durnoval {
namespace {

void quitEventLoop() {
    QCoreApplication::exit(0);
}

void centreOnScreen(QWidget &window) {
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
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
    QCoreApplication::setApplicationName(QString::fromUtf8(version::kProductName));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(version::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(version::kApplicationId));
    // Only "Yes" in the exit window ends the program; the main window is hidden while it asks.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    registerFontSubstitutes();
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
