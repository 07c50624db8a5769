// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "ui/forms.h"
#include "ui/version.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QString::fromUtf8(durnoval::version::kProductName));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(durnoval::version::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(durnoval::version::kApplicationId));

    const durnoval::CommandLine commandLine = durnoval::readCommandLine(argc, argv);
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;

    QApplication application(argc, argv);
    durnoval::Forms forms;
    forms.showDurnoval();
    return application.exec();
}
