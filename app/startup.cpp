// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>

namespace durnoval {
namespace {

char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";
char kX11[] = "xcb";
char kX11ThenWayland[] = "xcb;wayland";

// Qt takes "--platform" for "-platform", as it does for all its options.
bool isQtOption(std::string_view argument, std::string_view option) {
    if (argument.starts_with("--"))
        argument.remove_prefix(1);
    return argument == option;
}

bool namesPlatform(int argc, char *argv[]) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (isQtOption(argv[i], "-platform"))
            return true;
    return false;
}

// What Qt is asked for: the platforms to try in turn, as Qt looks them up (in lower case,
// without their arguments), and a folder of platform plugins to search first, if any. The last
// option given wins over the environment, as in Qt.
struct PlatformRequest {
    QStringList names;
    QString pluginFolder;
};

PlatformRequest requestOf(const std::vector<char *> &arguments) {
    QString names = qEnvironmentVariable("QT_QPA_PLATFORM");
    PlatformRequest request{{}, qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH")};
    const std::size_t count = arguments.size() - 1; // without the closing null
    for (std::size_t i = 1; i + 1 < count; ++i) {
        if (isQtOption(arguments[i], "-platform"))
            names = QString::fromLocal8Bit(arguments[++i]);
        else if (isQtOption(arguments[i], "-platformpluginpath"))
            request.pluginFolder = QString::fromLocal8Bit(arguments[++i]);
    }
    for (const QString &name : names.split(';', Qt::SkipEmptyParts))
        request.names << name.section(':', 0, 0).toLower();
    return request;
}

// A platform plugin file and the platforms it serves, from the metadata Qt reads without
// loading it.
struct PlatformPlugin {
    QString file;
    QStringList keys;
};

// Every platform plugin in the folders Qt searches, in the order it searches them.
std::vector<PlatformPlugin> installedPlugins(const QString &pluginFolder) {
    QStringList folders;
    if (!pluginFolder.isEmpty())
        folders << pluginFolder;
    for (const QString &path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    std::vector<PlatformPlugin> plugins;
    for (const QString &folder : folders) {
        const QDir platforms(folder);
        for (const QString &file : platforms.entryList(QDir::Files, QDir::Unsorted)) {
            const QString path = platforms.filePath(file);
            const QJsonArray keys = QPluginLoader(path)
                                        .metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            PlatformPlugin plugin{path, {}};
            for (const QJsonValue &key : keys)
                plugin.keys << key.toString().toLower();
            if (!plugin.keys.isEmpty())
                plugins.push_back(plugin);
        }
    }
    return plugins;
}

QString availablePlatforms(const std::vector<PlatformPlugin> &plugins) {
    QStringList names;
    for (const PlatformPlugin &plugin : plugins)
        for (const QString &key : plugin.keys)
            if (!names.contains(key))
                names << key;
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// Why none of the platforms Qt tried gave it a window system, found again after the fact: a
// platform without a plugin; one whose plugin (the first Qt finds for it) does not load, in the
// loader's words; or, when every plugin loads, platforms that found no display to connect to.
// Of several, a plugin that does not load tells the user most, a missing one next.
QString whyNoWindow(const PlatformRequest &request) {
    const std::vector<PlatformPlugin> plugins = installedPlugins(request.pluginFolder);
    QString missing;
    QString broken;
    for (const QString &name : request.names) {
        const auto plugin =
            std::find_if(plugins.begin(), plugins.end(), [&name](const PlatformPlugin &candidate) {
                return candidate.keys.contains(name);
            });
        if (plugin == plugins.end()) {
            missing = QStringLiteral("the platform plugin \"%1\" could not be loaded: there is "
                                     "no such plugin (Qt has %2)")
                          .arg(name, availablePlatforms(plugins));
            continue;
        }
        // A plugin loader that Qt's own attempt has failed gives no reason; the library does.
        QLibrary library(plugin->file);
        if (!library.load())
            broken = QStringLiteral("the platform plugin \"%1\" could not be loaded: %2")
                         .arg(name, library.errorString());
    }
    if (!broken.isEmpty())
        return broken;
    if (!missing.isEmpty())
        return missing;
    return QStringLiteral("no display could be reached");
}

// A message Qt wrote while the application object was made, kept until it is known whether a
// window system was found.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

QtMessageHandler qtMessageHandler = nullptr;
PlatformRequest platformRequest;
std::mutex heldMessagesLock; // a platform's own threads may write too
std::vector<HeldMessage> heldMessages;

void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open a window: %s\n",
                     qPrintable(QCoreApplication::applicationName().toLower()),
                     qPrintable(whyNoWindow(platformRequest)));
        std::_Exit(1);
    }
    const std::lock_guard lock(heldMessagesLock);
    heldMessages.push_back({type, context.category ? context.category : "", message});
}

} // namespace

std::vector<char *> toolkitArguments(int argc, char *argv[], bool answerOnly) {
    std::vector<char *> arguments(argv, argv + argc);
    // Qt takes the last -platform it is given.
    if (answerOnly)
        arguments.insert(arguments.end(), {kPlatformOption, kOffscreen});
    else if (!namesPlatform(argc, argv))
        arguments.insert(arguments.end(),
                         {kPlatformOption,
                          qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? kX11 : kX11ThenWayland});
    arguments.push_back(nullptr);
    return arguments;
}

void watchStartUp(const std::vector<char *> &arguments) {
    platformRequest = requestOf(arguments);
    qtMessageHandler = qInstallMessageHandler(startUpMessage);
}

void endStartUpWatch(bool answerOnly) {
    qInstallMessageHandler(qtMessageHandler);
    const std::lock_guard lock(heldMessagesLock);
    // The platform plugins' remarks on the way to a window system that works are theirs alone.
    if (!answerOnly)
        for (const HeldMessage &held : heldMessages)
            if (!std::string_view(held.category).starts_with("qt.qpa"))
                qtMessageHandler(held.type,
                                 QMessageLogContext(nullptr, 0, nullptr, held.category.c_str()),
                                 held.text);
    heldMessages.clear();
}

} // namespace durnoval
