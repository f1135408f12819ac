// Writes the sample content disc (and the files kept beside the program) into a folder.
#include "disc_generator.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Text is drawn with QPainter, which needs a GUI application; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QTextStream out(stdout);

    QStringList args = QCoreApplication::arguments().mid(1);
    const bool force = args.removeAll(QStringLiteral("--force")) > 0;
    QString saver;
    if (const qsizetype at = args.indexOf(QStringLiteral("--saver")); at >= 0 && at + 1 < args.size()) {
        saver = args.at(at + 1);
        args.remove(at, 2);
    }
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: kv_make_disc [--force] [--saver PROGRAM] OUTDIR\n"
               "Writes the sample content disc into OUTDIR; --force rewrites every file;\n"
               "--saver makes PROGRAM the disc's KelVardo.scr.\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const kvdisc::GenerateResult r = kvdisc::generateDisc(args.first(), force, saver);
    if (!r.ok) {
        err << "kv_make_disc: " << r.error << '\n';
        return 1;
    }
    if (r.upToDate)
        out << "kv_make_disc: " << args.first() << " is up to date (" << r.total << " files)\n";
    else
        out << "kv_make_disc: wrote " << r.written << " of " << r.total << " files into " << args.first()
            << " in " << timer.elapsed() << " ms\n";
    return 0;
}
