// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "app/startup.h"
#include "app/version.h"
#include "ui/forms.h"

#include <QApplication>

#include <vector>

int main(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QString::fromUtf8(durnoval::version::kProductName));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(durnoval::version::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(durnoval::version::kApplicationId));

    const bool answerOnly = durnoval::asksForHelpOrVersion(argc, argv);
    std::vector<char *> arguments = durnoval::toolkitArguments(argc, argv, answerOnly);
    int count = static_cast<int>(arguments.size()) - 1;
    // Qt puts the windows on the accessibility bus. GTK, which the GTK platform theme loads,
    // would add the program a second time, as an application with nothing in it.
    qputenv("NO_AT_BRIDGE", "1");
    durnoval::watchStartUp();
    QApplication application(count, arguments.data());
    durnoval::endStartUpWatch(answerOnly);
    if (const std::optional<int> exitStatus =
            durnoval::readCommandLine(QCoreApplication::arguments()))
        return *exitStatus;

    durnoval::Forms forms;
    forms.showDurnoval();
    return application.exec();
}
