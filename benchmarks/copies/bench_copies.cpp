// Copies a disc of photos and movies through the copy panel, gauges and all, and the same
// files with "cp -r" in the same run; reports both throughputs and the longest time the UI
// thread went without running a 1 ms timer during the panel's copy.
//
//   bench_copies [--photos 300] [--photo-kb 1024] [--movies 6] [--movie-mb 20] [--rounds 2]
//                [--dir folder-for-the-disc-and-copies]
//
// Both sides read a disc already in the page cache (it is read once before the first round)
// and each round starts after "sync", so neither pays for the other's writes. Rounds alternate
// cp and the panel. Environment: KV_BENCH_SHOT=file.png saves the main window mid-copy;
// KV_BENCH_HOLD=ms keeps the window up that long after each gauge step (for screenshots).

#include "app/app_context.h"
#include "app/form1.h"
#include "startup/startup.h"
#include "app/widgets/flood_gauge.h"
#include "copies/copy_panel.h"
#include "copies/copy_routines.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

using namespace kv;

namespace {
int argument(const QStringList& args, const QString& name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

void writeFile(const QString& path, qint64 size, quint32 seed)
{
    if (QFileInfo(path).size() == size)
        return;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QRandomGenerator random(seed);
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (qint64 left = size; left > 0;) {
        random.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
        const qint64 n = std::min<qint64>(left, block.size());
        f.write(block.constData(), n);
        left -= n;
    }
}

qint64 readThrough(const QString& dir)
{
    qint64 total = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (const QFileInfo& info : QDir(dir).entryInfoList(QDir::Files)) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly))
            continue;
        while (qint64 n = f.read(buffer.data(), buffer.size()))
            if (n < 0)
                break;
            else
                total += n;
    }
    return total;
}

void run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
}

// Longest gap between ticks of a 1 ms timer: how long the UI thread was kept from its events.
struct TickWatch
{
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    int ticks = 0;
    std::function<QString()> where; // what was under way, for KV_BENCH_TRACE
    TickWatch()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            if (where && now - last > 20000000)
                std::printf("  gap %.1f ms at %.3f s, %s\n", (now - last) / 1e6, now / 1e9, qPrintable(where()));
            worst = std::max(worst, now - last);
            last = now;
            ++ticks;
        });
    }
    void start()
    {
        clock.start();
        last = 0;
        worst = 0;
        ticks = 0;
        timer.start();
    }
    double stopMs()
    {
        timer.stop();
        worst = std::max(worst, clock.nsecsElapsed() - last);
        return worst / 1e6;
    }
};

// The panel's copy runs on; what follows it has run once no copy is under way.
void waitForCopy(AppContext& c)
{
    while (c.stopCopy)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int photos = argument(args, "--photos", 300);
    const qint64 photoBytes = qint64(argument(args, "--photo-kb", 1024)) * 1024;
    const int movies = argument(args, "--movies", 6);
    const qint64 movieBytes = qint64(argument(args, "--movie-mb", 20)) * 1024 * 1024;
    const int rounds = std::max(1, argument(args, "--rounds", 2));
    const qsizetype dirAt = args.indexOf("--dir");
    QTemporaryDir temp;
    const QString base = dirAt >= 0 && dirAt + 1 < args.size() ? args.at(dirAt + 1) : temp.path();

    const QString disc = base + "/disc";
    const QString prog = base + "/prog";
    const QString cpTarget = base + "/cp";
    QDir().mkpath(disc + "/Murvos");
    QDir().mkpath(disc + "/movies");
    QStringList movieNames;
    for (int i = 1; i <= photos; ++i)
        writeFile(disc + QString("/Murvos/%1%2.jpg").arg(55 + i % 3).arg(i, 3, 10, QChar('0')), photoBytes, i);
    for (int i = 1; i <= movies; ++i) {
        movieNames << QString("Movie%1.avi").arg(i);
        writeFile(disc + "/movies/" + movieNames.last(), movieBytes, 1000 + i);
    }
    const qint64 totalBytes = photos * photoBytes + movies * movieBytes;
    // Both sides read from the page cache.
    readThrough(disc + "/Murvos");
    readThrough(disc + "/movies");

    TestServices t;
    t.files->setProgramDir(prog);
    t.files->freeSpace = qint64(1) << 40;
    AppContext c(t.services);
    c.state.CdDrive = disc;
    c.state.PhotoDir = disc;
    QDir().mkpath(prog);
    BuildPhotoList(c);
    Form1_Load(c);
    c.form1->show();
    CopyPanel& panel = copyPanel(c);

    const QString shot = qEnvironmentVariable("KV_BENCH_SHOT");
    bool shotTaken = shot.isEmpty();
    QObject::connect(panel.ProgressGuage2, &QProgressBar::valueChanged, [&](int value) {
        if (!shotTaken && value >= 4000) {
            shotTaken = true;
            c.form1->grab().save(shot);
        }
    });
    const int hold = qEnvironmentVariableIntValue("KV_BENCH_HOLD");
    if (hold > 0)
        QObject::connect(panel.ProgressGuage, &QProgressBar::valueChanged, [hold] {
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < hold)
                QCoreApplication::processEvents(QEventLoop::AllEvents, hold);
        });

    std::printf("bench_copies: %d photos of %lld KB, %d movies of %lld MB, %.1f MB in all, %d rounds\n", photos,
                photoBytes / 1024, movies, movieBytes / 1024 / 1024, totalBytes / 1048576.0, rounds);
    std::printf("%-6s %-6s %10s %10s %12s %8s\n", "round", "tool", "seconds", "MB/s", "longest gap", "ticks");
    double bestCp = 0, bestPanel = 0, worstGap = 0;
    TickWatch watch;
    if (qEnvironmentVariableIsSet("KV_BENCH_TRACE"))
        watch.where = [&c] {
            return QString("%1 %2").arg(c.state.CopyingPhotos ? "photo" : "movie").arg(c.state.LoopIndex);
        };
    for (int r = 1; r <= rounds; ++r) {
        // cp
        QDir(cpTarget).removeRecursively();
        QDir().mkpath(cpTarget);
        run("sync", {});
        QElapsedTimer clock;
        clock.start();
        run("cp", {"-r", disc + "/Murvos", disc + "/movies", cpTarget});
        double seconds = clock.nsecsElapsed() / 1e9;
        const double cpRate = totalBytes / 1048576.0 / seconds;
        bestCp = std::max(bestCp, cpRate);
        std::printf("%-6d %-6s %10.3f %10.1f %12s %8s\n", r, "cp", seconds, cpRate, "-", "-");

        // The block copy alone, without the panel: what the worker thread can do.
        const QString engineTarget = base + "/engine";
        QDir(engineTarget).removeRecursively();
        QDir().mkpath(engineTarget);
        run("sync", {});
        clock.restart();
        for (const QString& folder : {QStringLiteral("/Murvos/"), QStringLiteral("/movies/")}) {
            for (const QString& name : QDir(disc + folder).entryList(QDir::Files)) {
                IFileSystem::CopyError error;
                if (!t.files->copyInBlocks(disc + folder + name, engineTarget + "/" + name, {}, &error))
                    std::printf("  engine: %s: %s\n", qPrintable(name), qPrintable(error.text));
            }
        }
        seconds = clock.nsecsElapsed() / 1e9;
        std::printf("%-6d %-6s %10.3f %10.1f %12s %8s\n", r, "engine", seconds, totalBytes / 1048576.0 / seconds, "-", "-");

        // The panel: photos, then movies, as a user would run them.
        QDir(prog + "/Murvos").removeRecursively();
        QDir(prog + "/movies").removeRecursively();
        t.files->invalidate();
        run("sync", {});
        c.state.MovieList.assign(movieNames);
        c.state.MovieCount = std::int16_t(movieNames.size());
        t.dialogs->boxes.clear();
        timespec cpuStart{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuStart);
        watch.start();
        clock.restart();
        mnuCopy_Click(c);
        panel.cmdCopy->click();
        waitForCopy(c);
        mnuCopyMovies_Click(c);
        panel.cmdCopy->click();
        waitForCopy(c);
        seconds = clock.nsecsElapsed() / 1e9;
        const double gap = watch.stopMs();
        const double panelRate = totalBytes / 1048576.0 / seconds;
        bestPanel = std::max(bestPanel, panelRate);
        worstGap = std::max(worstGap, gap);
        timespec cpuEnd{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuEnd);
        const double uiCpu = (cpuEnd.tv_sec - cpuStart.tv_sec) + (cpuEnd.tv_nsec - cpuStart.tv_nsec) / 1e9;
        std::printf("%-6d %-6s %10.3f %10.1f %9.1f ms %8d   UI thread busy %.3f s of %.3f s\n", r, "panel", seconds,
                    panelRate, gap, watch.ticks, uiCpu, seconds);
        for (const auto& box : t.dialogs->boxes) {
            if (!box.text.contains("successfully"))
                std::printf("  message: %s\n", qPrintable(QString(box.text).replace("\r\n", " ")));
        }
        // The photo copy points the photo list at the copies; start the next round from the disc.
        c.state.PhotoDir = disc;
        BuildPhotoList(c);
    }
    std::printf("best: panel %.1f MB/s, cp %.1f MB/s, ratio %.2f (goal >= 0.90); longest UI gap %.1f ms (goal <= 50)\n",
                bestPanel, bestCp, bestPanel / bestCp, worstGap);
    delete c.form1.data();
    return 0;
}
