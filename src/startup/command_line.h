#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kv {

struct CommandLine
{
    QStringList arguments; // what is left: "HWI" makes the program's folder the disc
    QString discFolder;    // --disc FOLDER: this folder is the content disc
    double scale = 0;      // --scale N: the windows' layout scale, 0 when not given
    QString error;         // set when the command line cannot be understood
};

// Answers --help and --version, and reports a command line it cannot understand, before any
// window system is needed; gives the exit code when the program should end at once, nothing
// when it should start.
std::optional<int> answerWithoutWindows(int argc, char* argv[]);

// The arguments without the options Qt's GUI takes for itself (-platform, -style, ...), as the
// application object will leave them.
QStringList withoutQtOptions(const QStringList& arguments);

// The options of a program that is starting (Qt's own options already taken out).
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace kv
