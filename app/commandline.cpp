// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace durnoval {
namespace {

constexpr int kUsageError = 2;
char kPlatformOption[] = "-platform";
char kOffscreen[] = "offscreen";
char kX11[] = "xcb";
char kX11ThenWayland[] = "xcb;wayland";

bool hasAnyOf(int argc, char *argv[], std::initializer_list<const char *> options) {
    for (int i = 1; i < argc; ++i)
        for (const char *option : options)
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

// Qt takes "--platform" for "-platform", as it does for all its options.
bool namesPlatform(int argc, char *argv[]) {
    return hasAnyOf(argc, argv, {"-platform", "--platform"}) ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Help and version go to standard output; when that cannot take them (a full disk), the
// program says so and fails.
int print(const QString &text) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()),
                                     stdout) == static_cast<std::size_t>(bytes.size()) &&
                         std::fflush(stdout) == 0;
    if (written)
        return 0;
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n",
                 qPrintable(QCoreApplication::applicationName().toLower()), std::strerror(errno));
    return 1;
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

bool asksForHelpOrVersion(int argc, char *argv[]) {
    return hasAnyOf(argc, argv, {"-h", "-help", "--help", "-v", "-version", "--version"});
}

std::optional<int> readCommandLine(const QStringList &arguments) {
    QCommandLineParser parser;
    // Qt's options come with one dash ("-style fusion"), and ours may too.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Compares two car tyre sizes: both overall diameters, the new one as a\n"
                       "percentage of the original, and the true speed at an indicated 60 mph.\n"
                       "Qt's standard options, such as -style or -platform, work too."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Show the program's name and version and exit."));
    parser.addOptions({help, version});

    // A mistake anywhere on the line is reported, even beside --help.
    const bool understood = parser.parse(arguments);
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n",
                     qPrintable(arguments.first()), qPrintable(error),
                     qPrintable(arguments.first()));
        return kUsageError;
    }
    if (parser.isSet(help))
        return print(parser.helpText());
    if (parser.isSet(version))
        return print(QCoreApplication::applicationName() + ' ' +
                     QCoreApplication::applicationVersion() + '\n');
    return std::nullopt;
}

} // namespace durnoval
