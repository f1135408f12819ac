// Prints the whole booklet of the sample disc (cover, introduction, description and details of
// 1955 to 1957) to a PDF file, as the booklet panel does, and reports pages per second and the
// peak memory of the process.
//
//   bench_booklet [--runs 3] [--disc folder] [--keep out.pdf]
//
// Goal: the whole booklet in under 3 s and under 200 MB.

#include "app/app_context.h"
#include "app/form1.h"
#include "startup/startup.h"
#include "photos/photo_list.h"
#include "platform/doubles/test_services.h"
#include "print/booklet_panel.h"

#include "common/proc_status.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace kv;

namespace {
long statusKb(const char* field)
{
    return procStatusKb(field);
}

QString option(const QStringList& args, const QString& name, const QString& fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = std::max(1, option(args, "--runs", "3").toInt());
    const QString disc = option(args, "--disc", QStringLiteral(KV_SAMPLE_DISC));
    if (!QFileInfo::exists(disc + "/richtext")) {
        std::fprintf(stderr, "no sample disc in %s\n", qPrintable(disc));
        return 1;
    }
    QTemporaryDir tmp;
    const QString pdf = option(args, "--keep", tmp.filePath("booklet.pdf"));

    TestServices t;
    auto printer = std::make_shared<PdfPrinter>(pdf);
    t.services.printer = printer;
    AppContext c(t.services);
    c.state.CdDrive = disc;
    c.state.PhotoDir = disc;
    BuildPhotoList(c);
    Timer1_Timer(c);
    c.form1->mnuPrnt->trigger();
    BookletPanel& p = bookletPanel(c);
    for (int i : {0, 1, 3, 4})
        p.Check1[i]->setChecked(true);
    p.List1[0]->setCurrentRow(0);
    p.List1[1]->setCurrentRow(2);

    const long before = statusKb("VmRSS:");
    std::printf("booklet of %s: cover, introduction, 1955-1957 description and details, to PDF\n",
                qPrintable(disc));
    std::printf("resident before printing: %.1f MB\n", before / 1024.0);
    QList<double> seconds;
    int pages = 0;
    for (int run = 1; run <= runs; ++run) {
        const int boxes = int(t.dialogs->boxes.size());
        QElapsedTimer timer;
        timer.start();
        p.cmdPrint->click();
        const double s = timer.nsecsElapsed() / 1e9;
        if (t.dialogs->boxes.size() != boxes + 1 || !t.dialogs->lastText().startsWith("Booklet printed!")) {
            std::fprintf(stderr, "run %d did not print: %s\n", run, qPrintable(t.dialogs->lastText()));
            return 1;
        }
        pages = printer->pageCount();
        seconds << s;
        std::printf("run %d: %d pages in %.3f s = %.1f pages/s, PDF %.1f KB\n", run, pages, s, pages / s,
                    QFileInfo(pdf).size() / 1024.0);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds.at(seconds.size() / 2);
    const long peak = statusKb("VmHWM:");
    std::printf("median: %.3f s (%.1f pages/s), best %.3f s; goal under 3 s: %s\n", median, pages / median,
                seconds.first(), median < 3 ? "met" : "MISSED");
    std::printf("peak resident memory: %.1f MB; goal under 200 MB: %s\n", peak / 1024.0,
                peak / 1024.0 < 200 ? "met" : "MISSED");
    delete c.form1.data();
    return 0;
}
