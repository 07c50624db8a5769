// SPDX-FileCopyrightText: 2026 The Durnoval developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

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

} // namespace

CommandLine readCommandLine(int argc, char *argv[]) {
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

    const bool understood = parser.parse(arguments);
    if (parser.isSet(help)) {
        // The usage line names the program as it was called, which needs an application object;
        // a core one needs no display.
        QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return {0};
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return {0};
    }
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n",
                     qPrintable(arguments.first()), qPrintable(error),
                     qPrintable(arguments.first()));
        return {kUsageError};
    }
    return {};
}

} // namespace durnoval
