#include "startup/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

std::optional<int> answerWithoutWindows(int argc, char* argv[])
{
    if (!asksForInformation(argc, argv))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvardo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app); // prints help or version and ends the process
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
    return result;
}

} // namespace kv
