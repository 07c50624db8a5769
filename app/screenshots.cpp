// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/screenshots.h"

#include "ui/forms.h"
#include "ui/frmAbout.h"
#include "ui/frmDurnoval.h"
#include "ui/frmEndDurnoval.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>

namespace durnoval {
namespace {

bool save(QWidget &window, const QDir &folder, const char *name) {
    QCoreApplication::processEvents(); // activation and focus settle first
    return window.grab().save(folder.filePath(QString::fromLatin1(name)), "png");
}

// As a mouse click does, which takes the focus too.
void press(QWidget &window, const char *button) {
    auto *pressed = window.findChild<QPushButton *>(QString::fromLatin1(button));
    pressed->setFocus(Qt::MouseFocusReason);
    pressed->click();
}

} // namespace

bool saveScreenshots(Forms &forms, const QString &folder) {
    const QDir dir(folder);
    forms.showDurnoval();
    press(forms.durnoval(), "cmdCalc");
    bool saved = save(forms.durnoval(), dir, "durnoval.png");
    forms.showAbout();
    saved = save(forms.about(), dir, "about.png") && saved;
    press(forms.durnoval(), "cmdExit");
    return save(forms.endDurnoval(), dir, "exit.png") && saved;
}

} // namespace durnoval
