// Start-up figures: process start to splash painted, side by side with a bare Qt window in
// processes of their own, splash to main window shown (the five-second splash timer left
// out), peak memory with the main window up, and the photo list built over a folder of
// 10,000 photos.
#include "app/app_context.h"
#include "app/app_services.h"
#include "app/form1.h"
#include "app/form2.h"
#include "startup/startup.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "platform/media_device.h"
#include "platform/shell.h"

#include "common/proc_status.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {
// Milliseconds since the kernel started this process.
double sinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long peakKb()
{
    return procStatusKb("VmHWM:");
}

// The program's services on the sample disc beside it, without the second-copy lock, so this
// runs beside a running program.
kv::Services benchServices()
{
    kv::Services services = kv::makeAppServices();
    services.shell = kv::TestServices().shell;
    if (auto files = std::dynamic_pointer_cast<kv::QtFileSystem>(services.files))
        files->setProgramDir(QStringLiteral(KV_SAMPLE_DISC));
    return services;
}

// The start-up asks for the single-instance claim right after the splash is painted: the moment
// to take the time. Nothing is claimed, so this runs beside a running program.
class TimingShell final : public kv::IShell
{
public:
    double paintedMs = -1;
    bool claimSingleInstance() override
    {
        paintedMs = sinceProcessStart();
        return true;
    }
    bool openUrl(const QString&) override { return true; }
    void run(const QString&, std::function<void(bool)> ended) override
    {
        if (ended)
            ended(true);
    }
    void releaseSingleInstance() override {}
};

// One child run: the window up and painted, then the time since the process started.
int childRun(const QString& mode)
{
    double ms = -1;
    if (mode == QLatin1String("--bare")) {
        QWidget window;
        window.resize(480, 360);
        window.show();
        if (QTest::qWaitForWindowExposed(&window)) {
            window.repaint(); // as the splash is painted
            ms = sinceProcessStart();
        }
    } else {
        kv::limitImageMemory();
        auto shell = std::make_shared<TimingShell>();
        kv::Services services = benchServices();
        services.shell = shell;
        kv::AppContext context(services);
        context.arguments = {QStringLiteral("HWI")};
        if (kv::Form2_Load(context))
            ms = shell->paintedMs;
    }
    std::printf("%.2f %ld\n", ms, peakKb());
    std::fflush(stdout);
    std::_Exit(ms < 0 ? 1 : 0); // the figures are out; tearing down would only add noise
}

struct ChildFigures
{
    QList<double> ms;
    QList<double> peakMb;
};

// Runs the splash and the bare window in turn, so both see the same machine.
void sideBySide(const QString& self)
{
    ChildFigures splash, bare;
    for (int i = 0; i < 9; ++i) {
        for (const auto& [mode, into] : {std::pair{"--bare", &bare}, std::pair{"--splash", &splash}}) {
            QProcess child;
            child.start(self, {QString::fromLatin1(mode)});
            child.waitForFinished(30000);
            const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
            if (child.exitCode() != 0 || out.size() != 2)
                continue;
            if (i == 0)
                continue; // the first pair warms the disc cache
            into->ms << out[0].toDouble();
            into->peakMb << out[1].toDouble() / 1024.0;
        }
    }
    const auto med = [](QList<double> v) {
        std::sort(v.begin(), v.end());
        return v.isEmpty() ? 0.0 : v.at(v.size() / 2);
    };
    const double s = med(splash.ms), b = med(bare.ms);
    std::printf("process start -> bare Qt window  %8.1f ms median, %.1f MB peak\n", b, med(bare.peakMb));
    std::printf("process start -> splash painted  %8.1f ms median, %.1f MB peak   (goal < 300)\n", s,
                med(splash.peakMb));
    std::printf("splash / bare Qt window          %8.2f        (goal <= 1.3), %lld runs each\n",
                b > 0 ? s / b : 0.0, static_cast<long long>(splash.ms.size()));
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc == 1 || std::strcmp(argv[1], "--bare") != 0)
        kv::preferPaintedVideo(); // as the program starts; the bare window keeps Qt's defaults
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    if (argc > 1)
        return childRun(QString::fromLocal8Bit(argv[1]));
    std::printf("platform                         %s\n", qPrintable(QGuiApplication::platformName()));
    sideBySide(QCoreApplication::applicationFilePath());
    kv::limitImageMemory();

    kv::AppContext context(benchServices());
    context.arguments = {QStringLiteral("HWI")};

    const bool started = kv::Form2_Load(context);
    if (!started || !QTest::qWaitForWindowExposed(context.form2))
        return 1;

    QElapsedTimer mainTimer;
    mainTimer.start();
    kv::Timer1_Timer(context);
    if (!QTest::qWaitForWindowExposed(context.form1))
        return 1;
    const double mainMs = mainTimer.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents();
    const long peak = peakKb();

    // 10,000 photos, listed once to bring the folder into the page cache.
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/Murvos"));
    const QStringList codes = {"55", "56", "57", "MA", "TD", "TF", "VM", "ZZ", "CW", "PT"};
    for (int i = 0; i < 10000; ++i) {
        QFile f(dir.path() + QStringLiteral("/Murvos/%1%2.jpg").arg(codes.at(i % codes.size())).arg(i, 5, 10, QLatin1Char('0')));
        f.open(QIODevice::WriteOnly);
    }
    kv::TestServices listServices;
    kv::AppContext listContext(listServices.services);
    listContext.state.PhotoDir = dir.path();
    kv::BuildPhotoList(listContext);
    QList<double> runs;
    for (int i = 0; i < 15; ++i) {
        listServices.files->invalidate(); // each build reads the folder afresh
        QElapsedTimer t;
        t.start();
        kv::BuildPhotoList(listContext);
        runs << t.nsecsElapsed() / 1e6;
    }
    std::sort(runs.begin(), runs.end());

    std::printf("splash timer (not measured)      %8.1f ms\n", 5000.0);
    std::printf("timer tick -> main window shown  %8.1f ms\n", mainMs);
    std::printf("peak memory at main window       %8.1f MB   (goal < 120)\n", peak / 1024.0);
    std::printf("BuildPhotoList, 10,000 photos    %8.1f ms median, %.1f ms best   (goal < 30), %d photos\n",
                runs.at(runs.size() / 2), runs.first(), int(listContext.state.PhotoCount));
    delete context.form1.data();
    return 0;
}
