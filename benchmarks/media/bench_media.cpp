// Times a sound button's press to the first audio buffer reaching the audio sink, and a film's
// option click to its first picture on screen, on the sample disc with the real media device;
// then opens and closes the movie window many times and reports the memory.
//
//   bench_media [--disc folder] [--rounds 5] [--windows 10]
//
// The audio sink is watched through GStreamer's debug log (looked up at run time; without it
// only the player's own "loaded" moment is reported). On a machine without a sound server the
// audio sink GStreamer picks is its silent stand-in, found only after trying the real ones.

#include "app/app_context.h"
#include "app/form1.h"
#include "startup/startup.h"
#include "media/frm_movie.h"
#include "media/sound_panels.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"
#include "platform/media_device.h"
#include "platform/video_picture.h"

#include "common/proc_status.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaPlayer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVideoFrame>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <dlfcn.h>

using namespace kv;

namespace {
long residentKb()
{
    return procStatusKb("VmRSS:");
}

QElapsedTimer clockTimer;
std::atomic<qint64> firstAudioBufferNs{-1};

// The few GStreamer debug calls this needs, found at run time.
using LogFunction = void (*)(void* category, int level, const char* file, const char* function, int line,
                             void* object, void* message, void* userData);
struct Gst
{
    void (*addLogFunction)(LogFunction, void*, void (*)(void*)) = nullptr;
    unsigned (*removeLogFunction)(LogFunction) = nullptr;
    void (*setThreshold)(const char*, int) = nullptr;
    void (*setActive)(int) = nullptr;
    char* (*objectName)(void*) = nullptr;
    void (*freeText)(void*) = nullptr;
    LogFunction defaultLog = nullptr;
    bool ok = false;
} gst;

void onGstLog(void*, int, const char*, const char* function, int, void* object, void*, void*)
{
    if (!object || firstAudioBufferNs.load() >= 0 || !function)
        return;
    // The buffer enters the sink through its chain function.
    if (!strstr(function, "chain") && !strstr(function, "preroll") && !strstr(function, "render"))
        return;
    char* name = gst.objectName(object);
    const bool audio = name && (strcasestr(name, "audio") || strcasestr(name, "pulse") || strcasestr(name, "alsa"));
    gst.freeText(name);
    if (audio) {
        qint64 expected = -1;
        firstAudioBufferNs.compare_exchange_strong(expected, clockTimer.nsecsElapsed());
    }
}

bool watchAudioSink()
{
    void* lib = dlopen("libgstreamer-1.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (!lib)
        lib = dlopen("libgstreamer-1.0.so.0", RTLD_NOW);
    void* glib = dlopen("libglib-2.0.so.0", RTLD_NOW);
    if (!lib || !glib)
        return false;
    gst.addLogFunction = reinterpret_cast<decltype(gst.addLogFunction)>(dlsym(lib, "gst_debug_add_log_function"));
    gst.removeLogFunction = reinterpret_cast<decltype(gst.removeLogFunction)>(dlsym(lib, "gst_debug_remove_log_function"));
    gst.setThreshold = reinterpret_cast<decltype(gst.setThreshold)>(dlsym(lib, "gst_debug_set_threshold_for_name"));
    gst.setActive = reinterpret_cast<decltype(gst.setActive)>(dlsym(lib, "gst_debug_set_active"));
    gst.objectName = reinterpret_cast<decltype(gst.objectName)>(dlsym(lib, "gst_object_get_name"));
    gst.defaultLog = reinterpret_cast<LogFunction>(dlsym(lib, "gst_debug_log_default"));
    gst.freeText = reinterpret_cast<decltype(gst.freeText)>(dlsym(glib, "g_free"));
    gst.ok = gst.addLogFunction && gst.removeLogFunction && gst.setThreshold && gst.setActive && gst.objectName
        && gst.defaultLog && gst.freeText;
    if (!gst.ok)
        return false;
    gst.removeLogFunction(gst.defaultLog);
    gst.addLogFunction(onGstLog, nullptr, nullptr);
    gst.setActive(1);
    gst.setThreshold("basesink", 6 /* LOG */);
    return true;
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

QString figures(const QList<double>& v)
{
    if (v.isEmpty())
        return QStringLiteral("n/a");
    return QStringLiteral("first %1 ms, median of the rest %2 ms, max %3 ms (%4 runs)")
        .arg(v.first(), 0, 'f', 1)
        .arg(median(v.mid(1)), 0, 'f', 1)
        .arg(*std::max_element(v.begin(), v.end()), 0, 'f', 1)
        .arg(v.size());
}

bool waitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return done();
}
} // namespace

int main(int argc, char** argv)
{
    kv::preferPaintedVideo(); // as the program starts
    QApplication app(argc, argv);
    QString disc = QStringLiteral(KV_SAMPLE_DISC_DIR);
    int rounds = 5, windows = 10;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--disc"))
            disc = args[++i];
        else if (args[i] == QLatin1String("--rounds"))
            rounds = args[++i].toInt();
        else if (args[i] == QLatin1String("--windows"))
            windows = args[++i].toInt();
    }
    if (!QFile::exists(disc + QStringLiteral("/movies/55Motoramic.avi"))) {
        std::fprintf(stderr, "No sample disc at %s\n", qPrintable(disc));
        return 1;
    }
    clockTimer.start();
    // The player's library loads GStreamer; make one player first so the log hook finds it.
    { QMediaPlayer warm; }
    const bool sinkWatched = watchAudioSink();

    TestServices t;
    t.services.media = std::make_shared<QtMediaFactory>();
    t.files->setProgramDir(disc + QStringLiteral("/no-local-copies"));
    AppContext c(t.services);
    c.state.CdDrive = disc;
    c.state.PhotoDir = disc;
    BuildPhotoList(c);
    Form1_Load(c);
    c.form1->show();
    auto* sound = dynamic_cast<QtMediaDevice*>(c.form1->MMControl1.get());
    mnuSound_Click(c);
    SoundEffectsPanel* panel = soundPanel(c);

    std::printf("Media latency on %s (%s)\n", qPrintable(disc), qPrintable(QGuiApplication::platformName()));
    QList<double> toSink, toLoaded;
    for (int r = 0; r < rounds; ++r) {
        for (int i : {3, 0, 10, 19, 27}) {
            // The sound before must be gone, or its last buffers would count as the new one's.
            StopSound(c);
            firstAudioBufferNs = -1;
            bool loaded = false;
            const qint64 start = clockTimer.nsecsElapsed();
            panel->SSCommand2[i]->click();
            // Each sound opens on a player of its own, still loading when the click returns.
            QMetaObject::Connection conn;
            if (QMediaPlayer* player = sound ? sound->player() : nullptr)
                conn = QObject::connect(player, &QMediaPlayer::mediaStatusChanged, [&](QMediaPlayer::MediaStatus s) {
                    loaded = loaded || s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::BufferedMedia;
                });
            waitFor([&] { return loaded && (!sinkWatched || firstAudioBufferNs.load() >= 0); }, 5000);
            const qint64 loadedAt = clockTimer.nsecsElapsed();
            QObject::disconnect(conn);
            if (sinkWatched && firstAudioBufferNs.load() >= 0)
                toSink << (firstAudioBufferNs.load() - start) / 1e6;
            toLoaded << (loadedAt - start) / 1e6;
            waitFor([] { return false; }, 150);
        }
    }
    StopSound(c);
    std::printf("Sound button -> first audio buffer in the sink: %s\n",
                sinkWatched ? qPrintable(figures(toSink)) : "not measurable (no GStreamer debug hook)");
    std::printf("Sound button -> player reports the sound loaded: %s\n", qPrintable(figures(toLoaded)));

    // Films: the window is on screen; each option click until its first picture is delivered.
    FrmMovie* w = OpenMovieWindow(c);
    w->show();
    waitFor([] { return false; }, 500);
    auto* film = dynamic_cast<QtMediaDevice*>(w->device());
    VideoPicture* sink = film ? film->videoSurface() : nullptr;
    QList<double> toFrame;
    if (sink) {
        for (int r = 0; r < rounds; ++r) {
            for (int i : {4, 2, 5, 1, 3, 0}) {
                bool shown = false;
                auto conn = QObject::connect(sink, &VideoPicture::frameChanged, [&](const QVideoFrame& f) {
                    shown = shown || f.isValid();
                });
                QElapsedTimer t1;
                t1.start();
                w->optMovie[i]->click();
                if (waitFor([&] { return shown; }, 5000))
                    toFrame << t1.nsecsElapsed() / 1e6;
                QObject::disconnect(conn);
            }
        }
    }
    std::printf("Film option click -> first picture delivered to the screen surface: %s\n",
                qPrintable(figures(toFrame)));
    w->done(0);
    delete w;

    // Memory over repeated openings, each playing its film a little before closing.
    waitFor([] { return false; }, 300);
    QList<long> rss;
    for (int i = 0; i < windows; ++i) {
        FrmMovie* m = OpenMovieWindow(c);
        m->show();
        m->MMControl1_Click(MovieBar::Play);
        waitFor([] { return false; }, 200);
        m->SSCommand1_Click();
        delete m;
        waitFor([] { return false; }, 100);
        rss << residentKb();
    }
    if (rss.size() >= 2) {
        const int half = int(rss.size()) / 2;
        std::printf("Movie window opened %d times: resident memory %ld KB after the first, %ld KB after %d, "
                    "%ld KB after the last (%+ld KB over the second half)\n",
                    windows, rss.first(), rss.at(half - 1), half, rss.last(), rss.last() - rss.at(half - 1));
    }
    if (gst.ok)
        gst.removeLogFunction(onGstLog);
    delete c.form1.data();
    return 0;
}
