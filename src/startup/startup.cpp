#include "startup/startup.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/main_window.h"
#include "app/window_helpers.h"
#include "media/movie_list.h"
#include "photos/first_photos.h"
#include "photos/photo_list.h"
#include "print/booklet_panel.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/media_device.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "startup/wiring.h"

#include <QCoreApplication>
#include <QTimer>

namespace kv {

namespace {
const QString DriveLetters = QStringLiteral("DEFGHIJKLMNOPQRSTUVWXYZ");

bool hasPhotos(AppContext& c, const QString& root)
{
    return !c.files().list(joinPath(root, PhotoFolder), QStringLiteral("*.jpg")).isEmpty();
}

// Local photo copy, then drives D to Z. True when the disc was found.
bool findDisc(AppContext& c)
{
    AppState& s = c.state;
    s.ErrCode = QStringLiteral("ER001");
    c.files().invalidate(); // a disc may have been put in since the last look
    const QString localCopy = c.files().dataDir();
    if (hasPhotos(c, localCopy))
        s.PhotoDir = localCopy;
    if (!c.discFolder.isEmpty()) {
        // The user named the disc: look nowhere else for it.
        if (!hasPhotos(c, c.discFolder))
            return false;
        s.CdDrive = c.discFolder;
        if (s.PhotoDir.isEmpty())
            s.PhotoDir = s.CdDrive;
        return true;
    }
    for (s.LoopIndex = 1; s.LoopIndex <= 23; ++s.LoopIndex) {
        const QString root = c.files().driveRoot(DriveLetters.at(s.LoopIndex - 1));
        if (root.isEmpty() || !hasPhotos(c, root))
            continue;
        s.CdDrive = root;
        if (s.PhotoDir.isEmpty())
            s.PhotoDir = s.CdDrive;
        return true;
    }
    return false;
}

// A moment after the main window shows, once it has painted: what the first choice would
// otherwise make the user wait for.
constexpr int IdleAfterShowMs = 400;
// Starting the media back-end holds the window up for a few tens of milliseconds: later, apart
// from the photos' reading.
constexpr int MediaAfterShowMs = 1500;

void prepareAtIdle(AppContext& c)
{
    keepFirstPhotos(c);
    QTimer::singleShot(MediaAfterShowMs - IdleAfterShowMs, c.form1, [&c] { prepareMovies(c); });
}
} // namespace

bool Form2_Load(AppContext& c)
{
    AppState& s = c.state;
    if (!c.form2)
        c.form2 = new Form2(c);
    Form2& splash = *c.form2;
    splash.showPainted();
    if (!c.shell().claimSingleInstance()) {
        c.dialogs().messageBox(ProductTitle + QStringLiteral(" is already running!"), Buttons::Ok,
                               Icon::Critical);
        c.ended = true;
        return false;
    }
    c.busy().busy();
    if (c.arguments.join(QLatin1Char(' ')) == QLatin1String("HWI")) {
        s.PhotoDir = c.files().programDir();
        s.CdDrive = s.PhotoDir;
    } else {
        while (!findDisc(c)) {
            splash.Timer1->stop();
            splash.hide();
            c.busy().normal();
            ErrorReporter(c, Failure::Detected);
            if (c.ended)
                return false;
            splash.show();
            c.busy().busy();
        }
    }
    s.SoundPath = joinPath(c.files().programDir(), QStringLiteral("/passby.wav"));
    const QString sound = c.files().resolve(s.SoundPath);
    if (!sound.isEmpty()) {
        IMediaDevice& media = splash.media();
        media.command(QStringLiteral("close"));
        media.setDeviceType(QStringLiteral("WaveAudio"));
        media.setFileName(sound);
        if (media.command(QStringLiteral("open")))
            media.command(QStringLiteral("play"));
    } else {
        s.ErrCode = QStringLiteral("ER055");
    }
    splash.Timer1->setSingleShot(true);
    splash.Timer1->start(5000);
    s.AwaitingFirstClick = true;
    BuildPhotoList(c);
    return !c.ended;
}

int exitCodeOfUnfinishedStart(const AppContext& c)
{
    // Cancel was pressed: the start found no disc or could not read its photos.
    return c.ended && c.state.MsgAnswer == QString::number(Cancel) ? 1 : 0;
}

void endThroughTheEventLoop(AppContext& c)
{
    c.quitApplication = [&c] {
        c.shell().releaseSingleInstance();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };
}

void Timer1_Timer(AppContext& c)
{
    if (c.form2)
        c.form2->Timer1->stop();
    Form1_Load(c);
    if (!CheckScreenSize(c, 800, 600))
        ApplyCompactLayout(c);
    fillYearLists(c);
    if (c.form1)
        QTimer::singleShot(IdleAfterShowMs, c.form1, [&c] { prepareAtIdle(c); });
}

void Form1_Load(AppContext& c)
{
    openMainWindow(c, wireForm1);
}

} // namespace kv
