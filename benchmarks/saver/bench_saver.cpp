// Runs the built "KelVardo.scr" over a large folder of photos and reports the time from start to
// the first photo on screen, how late each change is against the interval, and its memory.
//
//   bench_saver [--photos 10000] [--distinct 20] [--width 3000] [--height 2000]
//               [--changes 200] [--interval-ms 1000] [--dir folder-to-keep-the-photos]
//
// The folder holds --photos names, hard links to --distinct busy JPEGs. Change n is due at the first
// photo's time + n x interval; its lateness is its paint time minus that (the saver prints both
// with --trace, on the same monotonic clock as this program). The default run takes about
// 3.5 minutes; for memory over 1,000 photos: --changes 1000 --interval-ms 100.
// Run it on the offscreen platform or under Xvfb.

#include "platform/image_loader.h"
#include "platform/settings_store.h"
#include "saver/saver_settings.h"
#include "saver/saver_show.h"

#include "common/busy_photo.h"
#include "common/proc_status.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <unistd.h>
#include <cstdio>

using namespace kv;

namespace {

long residentKb(qint64 pid)
{
    return procStatusKb("VmRSS:", QString::number(pid));
}

// Hard links, so that the folder lists like one of real files (a symbolic link costs a stat).
void linkPhoto(const QString& original, const QString& name)
{
    if (::link(QFile::encodeName(original).constData(), QFile::encodeName(name).constData()) != 0)
        QFile::copy(original, name);
}

int argument(const QStringList& args, const QString& name, int fallback)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1).toInt() : fallback;
}

double percentile(std::vector<double> v, double q)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.at(std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5)));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int photos = argument(args, QStringLiteral("--photos"), 10000);
    const int distinct = std::max(1, argument(args, QStringLiteral("--distinct"), 20));
    const int width = argument(args, QStringLiteral("--width"), 3000);
    const int height = argument(args, QStringLiteral("--height"), 2000);
    const int changes = argument(args, QStringLiteral("--changes"), 200);
    const int intervalMs = argument(args, QStringLiteral("--interval-ms"), 1000);
    QTemporaryDir tmp;
    const qsizetype dirAt = args.indexOf(QStringLiteral("--dir"));
    const QString root = dirAt >= 0 && dirAt + 1 < args.size() ? args.at(dirAt + 1) : tmp.path();
    const QString folder = root + QStringLiteral("/photos");
    QDir().mkpath(folder);
    QDir().mkpath(root + QStringLiteral("/originals"));

    for (int i = 0; i < distinct; ++i) {
        const QString original = root + QStringLiteral("/originals/%1.jpg").arg(i);
        if (!QFile::exists(original))
            writeBusyPhoto(original, width, height, i + 1);
    }
    for (int i = 0; i < photos; ++i) {
        const QString name = folder + QStringLiteral("/P%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(name))
            linkPhoto(root + QStringLiteral("/originals/%1.jpg").arg(i % distinct), name);
    }

    // For comparison: the same photo decoded here at the offscreen screen's size, no window.
    const double decodeStart = saverClockMs();
    const QImage bare = loadImage(root + QStringLiteral("/originals/0.jpg"), QSize(800, 600));
    const double bareDecode = saverClockMs() - decodeStart;

    // The saver reads its settings from a config folder of this run's own.
    qputenv("XDG_CONFIG_HOME", QString(root + QStringLiteral("/config")).toLocal8Bit());
    QtSettingsStore store;
    store.setValue(SaverAppName, SaverSection, QStringLiteral("KelVardosDir"), folder + QLatin1Char('/'));
    store.setValue(SaverAppName, SaverSection, QStringLiteral("Interval"), QString::number(std::max(1, intervalMs / 1000)));

    QProcess saver;
    saver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList saverArgs{QStringLiteral("--trace")};
    if (intervalMs % 1000 != 0 || intervalMs < 1000)
        saverArgs << QStringLiteral("--interval-ms") << QString::number(intervalMs);
    const double started = saverClockMs();
    saver.start(QStringLiteral(KV_SAVER_EXE), saverArgs);
    if (!saver.waitForStarted(5000)) {
        std::fprintf(stderr, "bench_saver: cannot start %s\n", KV_SAVER_EXE);
        return 1;
    }
    double mainAt = -1;
    double listedAt = -1;
    double firstAt = -1;
    long memoryFirst = -1;
    long memoryEnd = -1;
    long memoryPeak = 0;
    std::vector<double> late;
    QByteArray pending;
    const int timeoutMs = 30000 + changes * (intervalMs + 500);
    while (int(late.size()) < changes && saverClockMs() - started < timeoutMs) {
        if (!saver.waitForReadyRead(intervalMs + 5000))
            break;
        pending += saver.readAllStandardOutput();
        qsizetype nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QList<QByteArray> f = pending.left(nl).split(' ');
            pending.remove(0, nl + 1);
            // "started at A", "listed N at A", "shown NAME due D at A late L"
            if (f.value(0) == "started")
                mainAt = f.value(2).toDouble();
            if (f.value(0) == "listed")
                listedAt = f.value(3).toDouble();
            if (f.value(0) != "shown" || f.size() < 8)
                continue;
            if (firstAt < 0) {
                firstAt = f.at(5).toDouble();
                memoryFirst = residentKb(saver.processId());
            } else {
                late.push_back(f.at(7).toDouble());
            }
            memoryPeak = std::max(memoryPeak, residentKb(saver.processId()));
        }
    }
    memoryEnd = residentKb(saver.processId());
    saver.kill();
    saver.waitForFinished(5000);
    if (firstAt < 0) {
        std::fprintf(stderr, "bench_saver: the saver showed no photo\n");
        return 1;
    }
    std::printf("saver over %d photos (%d distinct, %dx%d), interval %d ms\n", photos, distinct, width, height,
                intervalMs);
    std::printf("start to first photo on screen: %.1f ms (goal < 300): to main %.1f, settings and listing %.1f, "
                "decode and paint %.1f\n",
                firstAt - started, mainAt - started, listedAt - mainAt, firstAt - listedAt);
    std::printf("bare decode of one photo at 800x600 in this process: %.1f ms (%dx%d)\n", bareDecode,
                bare.width(), bare.height());
    std::printf("lateness over %zu changes: median %.1f ms (goal < 20), 90%% %.1f ms, worst %.1f ms\n", late.size(),
                percentile(late, 0.5), percentile(late, 0.9), late.empty() ? 0.0 : *std::max_element(late.begin(), late.end()));
    std::printf("memory (resident): %ld KB at the first photo, %ld KB at the end, peak %ld KB\n", memoryFirst,
                memoryEnd, memoryPeak);
    return int(late.size()) == changes ? 0 : 1;
}
