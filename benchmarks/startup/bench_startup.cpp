// Start-up figures: process start to splash shown, splash to main window shown (the
// five-second splash timer left out), peak memory with the main window up, and the photo
// list built over a folder of 10,000 photos.
#include "app/app_context.h"
#include "app/app_services.h"
#include "app/form1.h"
#include "app/form2.h"
#include "startup/startup.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

#include "common/proc_status.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
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
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    kv::limitImageMemory();

    // Real services, but no second-copy lock: this must run beside a running program.
    kv::Services services = kv::makeAppServices();
    kv::TestServices doubles;
    services.shell = doubles.shell;
    // The sample disc beside the program plays the content disc.
    if (auto files = std::dynamic_pointer_cast<kv::QtFileSystem>(services.files))
        files->setProgramDir(QStringLiteral(KV_SAMPLE_DISC));
    kv::AppContext context(services);
    context.arguments = {QStringLiteral("HWI")};

    const bool started = kv::Form2_Load(context);
    if (!started || !QTest::qWaitForWindowExposed(context.form2))
        return 1;
    const double splashMs = sinceProcessStart();

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

    std::printf("platform                         %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("process start -> splash shown    %8.1f ms   (goal < 300)\n", splashMs);
    std::printf("splash timer (not measured)      %8.1f ms\n", 5000.0);
    std::printf("timer tick -> main window shown  %8.1f ms\n", mainMs);
    std::printf("peak memory at main window       %8.1f MB   (goal < 120)\n", peak / 1024.0);
    std::printf("BuildPhotoList, 10,000 photos    %8.1f ms median, %.1f ms best   (goal < 30), %d photos\n",
                runs.at(runs.size() / 2), runs.first(), int(listContext.state.PhotoCount));
    delete context.form1.data();
    return 0;
}
