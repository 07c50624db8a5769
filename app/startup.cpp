// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QRegularExpression>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace durnoval {
namespace {

char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";
char kX11[] = "xcb";
char kX11ThenWayland[] = "xcb;wayland";

bool namesPlatform(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "-platform" || std::string_view(argv[i]) == "--platform")
            return true;
    return false;
}

// What the platform plugins said while Qt tried them, in the order it tried them.
struct PlatformTrials {
    bool noDisplay = false;         // a plugin found no display to connect to
    bool displayJustFailed = false; // ... the plugin tried last
    QString missing;                // a plugin Qt could not find
    QString broken;                 // a plugin Qt found but could not load
};

QtMessageHandler qtMessageHandler = nullptr;
bool mutedAll = false;
PlatformTrials trials;

// The dynamic loader's own words on why a plugin Qt found does not load (a missing library, say);
// Qt has them only when asked to debug its plugins.
QString whyNotLoaded(const QString &name) {
    QStringList folders{qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")};
    for (const QString &folder : QCoreApplication::libraryPaths())
        folders << folder + "/platforms";
    for (const QString &folder : folders) {
        const QDir platforms(folder);
        for (const QString &file : platforms.entryList(QDir::Files)) {
            const QJsonObject metaData = QPluginLoader(platforms.filePath(file)).metaData();
            if (!metaData.value("MetaData").toObject().value("Keys").toArray().contains(name))
                continue;
            if (void *library = dlopen(QFile::encodeName(platforms.filePath(file)), RTLD_LAZY))
                dlclose(library);
            else
                return QString::fromLocal8Bit(dlerror());
        }
    }
    return QStringLiteral("Qt gives no reason");
}

QString failure(const QString &fatalMessage) {
    if (!trials.broken.isEmpty())
        return QStringLiteral("the platform plugin \"%1\" could not be loaded: %2")
            .arg(trials.broken, whyNotLoaded(trials.broken));
    if (!trials.missing.isEmpty()) {
        static const QRegularExpression available("Available platform plugins are: ([^\n]*)\\.");
        const QString installed = available.match(fatalMessage).captured(1);
        return QStringLiteral("the platform plugin \"%1\" could not be loaded: there is no such "
                              "plugin (Qt has %2)")
            .arg(trials.missing, installed.isEmpty() ? QStringLiteral("none") : installed);
    }
    if (trials.noDisplay)
        return QStringLiteral("no display could be reached");
    return fatalMessage.section('\n', 0, 0);
}

void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open a window: %s\n",
                     qPrintable(QCoreApplication::applicationName().toLower()),
                     qPrintable(failure(message)));
        std::_Exit(1);
    }
    static const QRegularExpression plugin(
        R"re(^Could not (find|load) the Qt platform plugin "([^"]*)")re");
    if (const QRegularExpressionMatch tried = plugin.match(message); tried.hasMatch()) {
        // Qt says "could not load" of a plugin that loaded but found no display, too.
        if (tried.captured(1) == "find")
            trials.missing = tried.captured(2);
        else if (!trials.displayJustFailed)
            trials.broken = tried.captured(2);
        trials.displayJustFailed = false;
    } else if (message.startsWith("could not connect to display") ||
               message.startsWith("Failed to create wl_display")) {
        trials.noDisplay = trials.displayJustFailed = true;
    } else if (!mutedAll &&
               !std::string_view(context.category ? context.category : "").starts_with("qt.qpa")) {
        qtMessageHandler(type, context, message);
    }
}

} // namespace

std::vector<char *> toolkitArguments(int argc, char *argv[], bool answerOnly) {
    std::vector<char *> arguments(argv, argv + argc);
    // Qt takes the last -platform it is given.
    if (answerOnly)
        arguments.insert(arguments.end(), {kPlatformOption, kOffscreen});
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    else if (!namesPlatform(argc, argv))
        arguments.insert(arguments.end(),
                         {kPlatformOption,
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? kX11 : kX11ThenWayland});
#endif
    arguments.push_back(nullptr);
    return arguments;
}

void watchStartUp(bool answerOnly) {
    mutedAll = answerOnly;
    qtMessageHandler = qInstallMessageHandler(startUpMessage);
}

void endStartUpWatch() {
    qInstallMessageHandler(qtMessageHandler);
}

} // namespace durnoval
