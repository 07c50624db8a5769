// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace durnoval {
namespace {

constexpr char kLoader[] = "qt.core.library";

QtMessageHandler qtMessageHandler = nullptr;
std::mutex heldMessagesLock; // a platform's own threads may write too
std::vector<std::tuple<QtMsgType, std::string, QString>> heldMessages; // type, category, text

// For each platform it tried, Qt warns that it has no plugin, or tells that the plugin it found
// did not load, after the loader's reason if the library failed; a plugin that loaded found no
// display.
QString whyNoWindow(const QString &available) {
    const QString failed = QStringLiteral("the platform plugin \"%1\" could not be loaded: %2");
    QString why = QStringLiteral("no display could be reached"), loaderError;
    for (const auto &[type, category, text] : heldMessages) {
        const QString platform = text.section('"', 1, 1);
        if (category == kLoader && text.contains(" cannot load: "))
            loaderError = text.section(" cannot load: ", 1);
        else if (category != "qt.qpa.plugin" || platform.isEmpty())
            continue;
        else if (type == QtWarningMsg)
            why = failed.arg(platform, "there is no such plugin. " + available);
        else if (!loaderError.isEmpty())
            why = failed.arg(platform, std::exchange(loaderError, {}));
    }
    return why;
}

// The platform plugins' and the loader's remarks on the way to a window system are shown only
// when asked for.
void replayHeldMessages(bool all) {
    for (const auto &[type, category, text] : heldMessages)
        if (all || !(category.starts_with("qt.qpa") || category == kLoader))
            qtMessageHandler(type, {nullptr, 0, nullptr, category.c_str()}, text);
    heldMessages.clear();
}

void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    const std::lock_guard lock(heldMessagesLock);
    if (type != QtFatalMsg) {
        heldMessages.emplace_back(type, context.category ? context.category : "", message);
        return;
    }
    const QString why = whyNoWindow(message.trimmed().section('\n', -1)); // Qt's list of platforms
    replayHeldMessages(qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS"));
    std::fprintf(stderr, "%s: cannot open a window: %s\n",
                 qPrintable(QCoreApplication::applicationName().toLower()), qPrintable(why));
    std::_Exit(1);
}

} // namespace

void watchStartUp() {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.library.debug=true"));
    qtMessageHandler = qInstallMessageHandler(startUpMessage);
}

void endStartUpWatch(bool answerOnly) {
    qInstallMessageHandler(qtMessageHandler);
    QLoggingCategory::setFilterRules({});
    const std::lock_guard lock(heldMessagesLock);
    if (answerOnly)
        heldMessages.clear();
    replayHeldMessages(qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS"));
}

} // namespace durnoval
