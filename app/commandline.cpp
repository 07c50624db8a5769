// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace durnoval {
namespace {

constexpr int kUsageError = 2;

// The options QGuiApplication, QApplication and the X11 platform take for themselves.
struct ToolkitOption {
    const char *name;
    bool takesValue;
};
// clang-format off
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"session", true},
    {"display", true}, {"geometry", true}, {"title", true}, {"name", true}, {"style", true},
    {"stylesheet", true}, {"qmljsdebugger", true}, {"reverse", false}, {"widgetcount", false},
    {"nograb", false}, {"dograb", false}, {"sync", false}};
// clang-format on

void addToolkitOptions(QCommandLineParser &parser) {
    for (const auto &[name, takesValue] : kToolkitOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(),
                                  takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
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

std::optional<int> readCommandLine(int argc, char *argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

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
    addToolkitOptions(parser);

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
    if (parser.isSet(help)) {
        // The usage line names the program as it was called, which needs an application object;
        // a core one needs no display.
        QCoreApplication core(argc, argv);
        return print(parser.helpText());
    }
    if (parser.isSet(version))
        return print(QCoreApplication::applicationName() + ' ' +
                     QCoreApplication::applicationVersion() + '\n');
    return std::nullopt;
}

} // namespace durnoval
