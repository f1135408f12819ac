#include "saver/saver_app.h"

#include "platform/image_loader.h"
#include "platform/keep_awake.h"
#include "saver/saver_embed.h"
#include "saver/saver_options.h"
#include "saver/saver_settings.h"
#include "saver/saver_show.h"
#include "saver/saver_view.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTextStream>

#include <cstdio>

namespace kv {

namespace {

void say(const QString& line)
{
    QTextStream err(stderr);
    err << "KelVardo.scr: " << line << Qt::endl;
}

// The line for standard error as a sentence for the screen.
QString onScreen(const QString& problem)
{
    QString text = problem;
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return QStringLiteral("The Kel-Vardo Folivra Screen Saver\n\n") + text + QLatin1Char('.');
}

void trace(const QString& line)
{
    QTextStream out(stdout);
    out << line << Qt::endl;
}

// The window to draw into: the one given, or the root window for "-root"; 0 for our own.
quint64 targetWindow(const SaverOptions& o)
{
    return o.window != 0 ? o.window : (o.mode == SaverMode::IntoWindow && o.root ? rootWindowId() : 0);
}

// The size photos are shown at, in device pixels, known before the window is.
QSize expectedSize(const SaverOptions& o)
{
    const qreal ratio = qApp->devicePixelRatio();
    if (const quint64 into = targetWindow(o))
        return foreignWindowSize(into);
    if (o.mode == SaverMode::Preview)
        return QSize(320, 240) * ratio;
    return QGuiApplication::primaryScreen()->size() * ratio;
}

// Shows the view where the options say; `problem` set when it cannot be.
void placeView(SaverView& view, const SaverOptions& o, QString* problem)
{
    view.setWindowTitle(QStringLiteral("The Kel-Vardo Folivra Screen Saver"));
    if (const quint64 into = targetWindow(o)) {
        embedInto(&view, into, problem);
        return;
    }
    if (o.mode == SaverMode::Preview) {
        view.resize(320, 240);
        view.show();
        return;
    }
    view.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    view.showFullScreen();
    view.activateWindow();
    view.setFocus();
}

} // namespace

int runSaver(const QStringList& args, ISettingsStore& settings, IFileSystem& files, IKeepAwake& awake)
{
    SaverOptions o = parseSaverOptions(args, qEnvironmentVariable("XSCREENSAVER_WINDOW"));
    if (!o.error.isEmpty()) {
        say(o.error);
        QTextStream(stderr) << saverUsage();
        return 2;
    }
    if (o.mode == SaverMode::Help) {
        QTextStream(stdout) << saverUsage();
        return 0;
    }
    if (o.mode == SaverMode::Configure) {
        say(QStringLiteral("the photos and the delay are chosen in The Kel-Vardo Folivra, "
                           "File > Install Screen saver"));
        return 0;
    }
    if (wantsXWindow(o) && QGuiApplication::platformName() != QLatin1String("xcb")) {
        const QString here = QGuiApplication::platformName();
        if (o.window != 0) {
            say(QStringLiteral("-window-id and XSCREENSAVER_WINDOW name X11 windows; there are none on %1").arg(here));
            return 2;
        }
        say(QStringLiteral("-root draws on the X11 root window; on %1 the saver takes the whole screen instead").arg(here));
        o.mode = SaverMode::FullScreen;
        o.root = false;
    }
    limitImageMemory();
    if (o.trace)
        trace(QStringLiteral("started at %1").arg(saverClockMs(), 0, 'f', 3));

    SaverSettings s = readSaverSettings(settings, files);
    // Without a folder the interval does not matter; the one line says what to do.
    if (s.problem.isEmpty()) {
        for (const QString& note : std::as_const(s.notes))
            say(note);
    }
    if (o.intervalMs > 0)
        s.intervalMs = o.intervalMs;
    QStringList photos;
    QString problem = s.problem;
    if (problem.isEmpty()) {
        photos = saverPhotos(files, s.folder);
        if (o.trace)
            trace(QStringLiteral("listed %1 at %2").arg(photos.size()).arg(saverClockMs(), 0, 'f', 3));
        if (photos.isEmpty())
            problem = QStringLiteral("the photo folder %1 holds no JPEG photo").arg(QDir::toNativeSeparators(s.folder));
    }

    const bool ownScreen = o.mode == SaverMode::FullScreen && o.window == 0;
    SaverView view(ownScreen);
    QObject::connect(&view, &SaverView::userActed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    if (o.trace) {
        QObject::connect(&view, &SaverView::photoPainted, [](const QString& path, double due) {
            const double now = saverClockMs();
            trace(QStringLiteral("shown %1 due %2 at %3 late %4")
                      .arg(QFileInfo(path).fileName())
                      .arg(due, 0, 'f', 3)
                      .arg(now, 0, 'f', 3)
                      .arg(now - due, 0, 'f', 3));
        });
        QObject::connect(&view, &SaverView::messagePainted,
                         [](const QString& text) { trace(QStringLiteral("message ") + text.simplified()); });
    }
    // The first photo is decoded while the window is made, not after.
    SaverShow show(photos, s.intervalMs);
    QObject::connect(&show, &SaverShow::photoReady, &view, &SaverView::setPhoto);
    QObject::connect(&show, &SaverShow::skipped, [](const QString& path, const QString& why) {
        say(QStringLiteral("skipped %1: %2").arg(QDir::toNativeSeparators(path), why));
    });
    QObject::connect(&show, &SaverShow::nothingReadable, &view, [&view](const QString& text) {
        say(text);
        view.setMessage(onScreen(text));
    });
    QObject::connect(&view, &SaverView::resized, &show, &SaverShow::setFitSize);
    if (problem.isEmpty())
        show.start(expectedSize(o));

    QString embedProblem;
    placeView(view, o, &embedProblem);
    if (!embedProblem.isEmpty()) {
        say(embedProblem);
        return 1;
    }
    // A preview is watched in a window, and the desktop would blank it; as the saver itself, the
    // blanking is the desktop's to decide.
    if (o.mode == SaverMode::Preview)
        awake.hold(QStringLiteral("Screen saver preview"));
    struct Release
    {
        IKeepAwake& awake;
        ~Release() { awake.release(); }
    } release{awake};
    // The saver stays up with its reason on a dark screen, as a saver that ends at once would
    // leave the desktop unguarded and the user wondering.
    if (!problem.isEmpty()) {
        say(problem);
        view.setMessage(onScreen(problem));
        const int status = qApp->exec();
        return status == 0 ? 1 : status;
    }
    return qApp->exec();
}

} // namespace kv
