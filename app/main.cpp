// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "app/version.h"
#include "ui/forms.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Without a display Qt writes several lines of advice and aborts. One line and status 1 say
// it better; the platform plugin's own complaints are part of that line.
void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "durnoval: cannot open a window: no display could be reached\n");
        std::_Exit(1);
    }
    if (!std::string_view(context.category ? context.category : "").starts_with("qt.qpa"))
        qtMessageHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QString::fromUtf8(durnoval::version::kProductName));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(durnoval::version::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(durnoval::version::kApplicationId));

    if (const std::optional<int> exitStatus = durnoval::readCommandLine(argc, argv))
        return *exitStatus;

    qtMessageHandler = qInstallMessageHandler(startUpMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(qtMessageHandler);
    durnoval::Forms forms;
    forms.showDurnoval();
    return application.exec();
}
