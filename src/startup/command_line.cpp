#include "startup/command_line.h"

#include "app/layout_scale.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace kv {

namespace {

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "A multimedia reference title about the Kel-Vardo model years 1955 to 1957.\n"
        "Without arguments it looks for a mounted content disc."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("disc"),
                      QStringLiteral("Use <folder> as the content disc."),
                      QStringLiteral("folder")});
    parser.addOption({QStringLiteral("scale"),
                      QStringLiteral("Show the windows at <factor> times their designed size: 1 keeps the "
                                     "designed 800 by 600 layout; 1.25, 1.5 and so on up to 4 enlarge it. "
                                     "Without it the largest that fits the screen, or the one last used on "
                                     "a screen of this size."),
                      QStringLiteral("factor")});
    parser.addPositionalArgument(QStringLiteral("HWI"),
                                 QStringLiteral("Use the program's own folder as the content disc."),
                                 QStringLiteral("[HWI]"));
}

bool asksForInformation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--help", "-h", "-?", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

QStringList withoutQtOptions(const QStringList& arguments)
{
    // Those QGuiApplication and QApplication take, with a value or without; "--x" reads as "-x".
    static const QStringList withValue = {
        "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
        "-geometry", "-qwindowtitle", "-title", "-qwindowicon", "-icon", "-display", "-name",
        "-session", "-style", "-stylesheet", "-qmljsdebugger", "-visual"};
    static const QStringList flags = {"-reverse", "-testability", "-nograb", "-dograb", "-widgetcount", "-sync"};
    QStringList left;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        if (i == 0 || !option.startsWith(QLatin1Char('-'))) {
            left << option;
            continue;
        }
        if (option.startsWith(QLatin1String("--")))
            option.remove(0, 1);
        const QString name = option.section(QLatin1Char('='), 0, 0);
        if (flags.contains(option))
            continue;
        if (withValue.contains(name)) {
            if (name == option)
                ++i; // the value follows
            continue;
        }
        left << arguments.at(i);
    }
    return left;
}

std::optional<int> answerWithoutWindows(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    arguments = withoutQtOptions(arguments);
    // A command line that cannot be understood is a usage error, with --help in it or not.
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "kelvardo: %s\nTry 'kelvardo --help' for more information.\n", qPrintable(line.error));
        return 2;
    }
    if (!asksForInformation(argc, argv))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvardo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
    QCommandLineParser parser;
    describe(parser);
    parser.process(arguments); // prints help or version and ends the process
    return 0;
}

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    result.arguments = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("disc"))) {
        const QString folder = parser.value(QStringLiteral("disc"));
        if (folder.isEmpty())
            result.error = QStringLiteral("--disc needs a folder.");
        else
            result.discFolder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    }
    if (parser.isSet(QStringLiteral("scale"))) {
        if (const auto scale = parseScale(parser.value(QStringLiteral("scale"))))
            result.scale = *scale;
        else
            result.error = QStringLiteral("--scale takes 1, 1.25, 1.5 and so on up to 4.");
    }
    return result;
}

} // namespace kv
