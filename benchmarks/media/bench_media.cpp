// Times a sound button's press to the audio sink taking the sound's first samples, and a film's
// option click to its first picture on screen, on the sample disc with the real media device;
// then opens and closes the movie window many times and reports the memory.
//
//   bench_media [--disc folder] [--rounds 5] [--windows 10]
//
// Sounds are read by the program and handed to Qt's audio sink; on a machine without a sound
// server there is no sink to take them (they play silently), and only the click itself is timed.

#include "app/app_context.h"
#include "app/form1.h"
#include "startup/startup.h"
#include "media/frm_movie.h"
#include "media/sound_panels.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"
#include "platform/media_device.h"
#include "platform/video_picture.h"
#include "platform/wave_sound.h"

#include "common/proc_status.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVideoFrame>

#include <algorithm>
#include <cstdio>

using namespace kv;

namespace {
long residentKb()
{
    return procStatusKb("VmRSS:");
}

QElapsedTimer clockTimer;

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
    // GStreamer, which plays the films, is loaded before anything is timed.
    { QMediaPlayer warm; }

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
    QList<double> toSink, toPlaying;
    qint64 fedAt = -1;
    QMetaObject::Connection fed;
    for (int r = 0; r < rounds; ++r) {
        for (int i : {3, 0, 10, 19, 27}) {
            StopSound(c);
            fedAt = -1;
            const qint64 start = clockTimer.nsecsElapsed();
            panel->SSCommand2[i]->click();
            toPlaying << (clockTimer.nsecsElapsed() - start) / 1e6;
            // The sink takes its first samples at its own next turn, after the click.
            if (!fed && sound && sound->sound())
                fed = QObject::connect(sound->sound(), &WaveSound::sinkFed, [&] {
                    if (fedAt < 0)
                        fedAt = clockTimer.nsecsElapsed();
                });
            waitFor([&] { return fedAt >= 0; }, 1000);
            if (fedAt >= 0)
                toSink << (fedAt - start) / 1e6;
            waitFor([] { return false; }, 150);
        }
    }
    StopSound(c);
    const bool output = !QMediaDevices::defaultAudioOutput().isNull();
    std::printf("Sound button -> first samples taken by the audio sink: %s\n",
                output ? qPrintable(figures(toSink)) : "not measurable (no audio output on this machine)");
    std::printf("Sound button -> sound playing (the click returns): %s\n", qPrintable(figures(toPlaying)));

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
    delete c.form1.data();
    return 0;
}
