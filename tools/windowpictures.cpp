// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tools/windowpictures.h"

#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include <QApplication>
#include <QPushButton>

#include <dlfcn.h>

namespace durnoval {
namespace {

// As a mouse click does, which takes the focus too.
void press(QWidget &window, const char *button) {
    auto *pressed = window.findChild<QPushButton *>(QString::fromLatin1(button));
    pressed->setFocus(Qt::MouseFocusReason);
    pressed->click();
}

void take(const std::function<void(const QString &, QWidget &)> &taker, const char *file,
          QWidget &window) {
    QCoreApplication::processEvents(); // activation and focus settle first
    taker(QString::fromLatin1(file), window);
}

// The FreeType that Qt renders with, as "2.12"; Qt does not tell.
QString freeTypeVersion() {
    void *library = dlopen("libfreetype.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return QStringLiteral("unknown");
    using Init = int (*)(void **);
    using Done = int (*)(void *);
    using Version = void (*)(void *, int *, int *, int *);
    const auto init = reinterpret_cast<Init>(dlsym(library, "FT_Init_FreeType"));
    const auto done = reinterpret_cast<Done>(dlsym(library, "FT_Done_FreeType"));
    const auto version = reinterpret_cast<Version>(dlsym(library, "FT_Library_Version"));
    void *freeType = nullptr;
    int major = 0, minor = 0, patch = 0;
    if (init && done && version && init(&freeType) == 0) {
        version(freeType, &major, &minor, &patch);
        done(freeType);
    }
    dlclose(library);
    return major ? QStringLiteral("%1.%2").arg(major).arg(minor) : QStringLiteral("unknown");
}

} // namespace

void drawOffscreenInFusion() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setStyle(QStringLiteral("fusion"));
}

void showWindowsForPictures(
    Forms &forms, const std::function<void(const QString &file, QWidget &window)> &taker) {
    forms.showDurnoval();
    press(forms.durnoval(), "cmdCalc");
    take(taker, "durnoval.png", forms.durnoval());
    forms.showAbout();
    take(taker, "about.png", forms.about());
    press(forms.durnoval(), "cmdExit");
    take(taker, "exit.png", forms.endDurnoval());
}

QString rendererName() {
    const QStringList qt = QString::fromLatin1(qVersion()).split('.');
    return QStringLiteral("qt%1.%2-freetype%3").arg(qt.value(0), qt.value(1), freeTypeVersion());
}

} // namespace durnoval
