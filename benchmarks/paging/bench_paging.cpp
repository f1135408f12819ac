// Brochure paging, from the "." key to the next page painted, with and without the read-ahead,
// beside a bare QImageReader decode of the same files in the same run: on the sample disc and
// on 6000 by 8000 scans. Then an 8000 by 12000 scan, near the picture limit: opening,
// scrolling and peak memory.
#include "app/form1.h"
#include "browse/frm_scroll.h"
#include "browse/page_files.h"
#include "browse/page_widgets.h"
#include "browse/topic_selection.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"
#include "support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace kv;

namespace {
// The machine is shared: the median shows the typical step, the fastest shows the cost
// without interference.
struct Stat
{
    double median = 0, best = 0;
};

Stat stat(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? Stat{} : Stat{v.at(v.size() / 2), v.first()};
}

double median(const QList<double>& v)
{
    return stat(v).median;
}

// Peak resident memory in MB since the last reset.
double peakMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// A scan-like page: paper tone, columns of text-like strokes, a picture block.
void writeScan(const QString& path, QSize size, int seed, QImage::Format format)
{
    QImage image(size, format);
    image.fill(QColor(0xf2, 0xea, 0xd8));
    QPainter p(&image);
    QLinearGradient g(0, 0, size.width(), size.height() / 3.0);
    g.setColorAt(0, QColor::fromHsv(seed * 47 % 360, 150, 200));
    g.setColorAt(1, QColor::fromHsv(seed * 13 % 360, 120, 80));
    p.fillRect(QRect(size.width() / 10, size.height() / 12, size.width() * 8 / 10, size.height() / 3), g);
    QRandomGenerator rng(seed);
    const int line = qMax(8, size.height() / 120);
    p.setPen(QPen(QColor(40, 40, 40), qMax(1, line / 4)));
    for (int y = size.height() / 2; y < size.height() * 19 / 20; y += line) {
        for (int col = 0; col < 2; ++col) {
            int x = size.width() / 10 + col * size.width() * 42 / 100;
            const int end = x + size.width() * 38 / 100;
            while (x < end) {
                const int word = line * int(1 + rng.bounded(4));
                p.drawLine(x, y, qMin(end, x + word), y);
                x += word + line;
            }
        }
    }
    p.end();
    QDir().mkpath(QFileInfo(path).path());
    image.save(path, "JPG", 85);
}

struct Figures
{
    Stat cold, ahead, repaint, bare, viewerDecode;
    double peak = 0;
};

// Pages forward `steps` times on an open brochure viewer; with the read-ahead each step comes
// after a pause long enough for it to finish, as when a reader looks at the page.
QList<double> page(FrmScroll& v, int steps, int pauseMs)
{
    QSignalSpy painted(&v, &FrmScroll::pagePainted);
    QList<double> times;
    for (int i = 0; i < steps; ++i) {
        if (pauseMs)
            QTest::qWait(pauseMs);
        painted.clear();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(v.sscommand1, '.');
        if (painted.isEmpty() && !painted.wait(10000))
            return {};
        times << t.nsecsElapsed() / 1e6;
    }
    return times;
}

Figures measure(Fixture& fx, int year, int steps, int pauseMs)
{
    Figures out;
    cmdYR_Click(*fx.c, year);
    for (bool ahead : {false, true}) {
        cmdBrochure_Click(*fx.c);
        auto* v = qobject_cast<FrmScroll*>(fx.c->frmScroll.data());
        if (!v || !QTest::qWaitForWindowExposed(v))
            return out;
        v->readAheadEnabled = ahead;
        const QList<double> t = page(*v, steps, ahead ? pauseMs : 0);
        (ahead ? out.ahead : out.cold) = stat(t);
        if (ahead) {
            QList<double> repaints;
            for (int i = 0; i < 5; ++i) {
                QElapsedTimer r;
                r.start();
                v->picChild->repaint();
                repaints << r.nsecsElapsed() / 1e6;
            }
            out.repaint = stat(repaints);
        }
        v->close();
        QCoreApplication::processEvents();
    }
    out.peak = peakMB();
    QList<double> bare, viewer;
    for (int i = 0; i < 3 * fx.c->state.PageCount; ++i) {
        const QString real = fx.c->files().resolve(pagePath(*fx.c, fx.c->state.TopicCode, true, i % fx.c->state.PageCount));
        if (real.isEmpty())
            continue;
        QElapsedTimer t;
        t.start();
        QImageReader reader(real);
        if (reader.read().isNull())
            continue;
        bare << t.nsecsElapsed() / 1e6;
        t.restart();
        if (decodePage(real).isNull())
            continue;
        viewer << t.nsecsElapsed() / 1e6;
    }
    out.bare = stat(bare);
    out.viewerDecode = stat(viewer);
    return out;
}

void print(const char* title, const Figures& f)
{
    std::printf("%s                               median      best\n", title);
    auto row = [](const char* what, Stat v) { std::printf("  %-44s %8.2f  %8.2f ms\n", what, v.median, v.best); };
    row("page step, key to painted, no read-ahead", f.cold);
    row("page step, key to painted, read ahead", f.ahead);
    row("repaint of the page alone", f.repaint);
    row("bare QImageReader decode, same files", f.bare);
    row("decode as the viewer does", f.viewerDecode);
    std::printf("  %-44s %8.2f  %8.2f   (goal <= 1.3)\n", "no read-ahead / bare decode", f.cold.median / f.bare.median,
                f.cold.best / f.bare.best);
    std::printf("  %-44s %8.2f  %8.2f\n", "read ahead / bare decode", f.ahead.median / f.bare.median,
                f.ahead.best / f.bare.best);
    std::printf("  %-44s %8.1f MB\n", "peak memory while paging", f.peak);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    limitImageMemory();
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));

    {
        Fixture fx;
        const QString disc = QStringLiteral(KV_SAMPLE_DISC);
        if (!QFileInfo::exists(disc + QStringLiteral("/brochures")))
            return std::printf("sample disc missing in %s\n", KV_SAMPLE_DISC), 1;
        Form1& f = fx.openMain(disc);
        if (!QTest::qWaitForWindowExposed(&f))
            return 1;
        resetPeak();
        print("sample disc, 1955 brochure (800x1100 pages, 10 steps)", measure(fx, 1, 10, 300));
    }
    {
        Fixture fx;
        const QString disc = fx.disc();
        std::printf("writing four 6000x8000 scans...\n");
        for (int i = 0; i < 4; ++i)
            writeScan(disc + QStringLiteral("/brochures/55brch0%1.jpg").arg(i), QSize(6000, 8000), i + 1,
                      QImage::Format_RGB32);
        fx.writePhotos(disc, {QStringLiteral("55001.jpg")});
        Form1& f = fx.openMain(disc);
        if (!QTest::qWaitForWindowExposed(&f))
            return 1;
        resetPeak();
        print("6000x8000 scans (4 pages, 6 steps)", measure(fx, 1, 6, 1500));
    }
    {
        Fixture fx;
        const QString disc = fx.disc();
        std::printf("writing an 8000x12000 scan...\n");
        writeScan(disc + QStringLiteral("/brochures/55brch00.jpg"), QSize(8000, 12000), 7,
                  QImage::Format_Grayscale8);
        fx.writePhotos(disc, {QStringLiteral("55001.jpg")});
        Form1& f = fx.openMain(disc);
        if (!QTest::qWaitForWindowExposed(&f))
            return 1;
        cmdYR_Click(*fx.c, 1);
        resetPeak();
        const double before = peakMB();
        QElapsedTimer t;
        t.start();
        cmdBrochure_Click(*fx.c);
        auto* v = qobject_cast<FrmScroll*>(fx.c->frmScroll.data());
        if (!v || !QTest::qWaitForWindowExposed(v))
            return 1;
        const double open = t.nsecsElapsed() / 1e6;
        QList<double> scrolls;
        for (int i = 0; i < 40; ++i) {
            t.restart();
            QTest::keyClick(v->sscommand1, Qt::Key_PageDown);
            v->picChild->repaint();
            scrolls << t.nsecsElapsed() / 1e6;
        }
        std::printf("8000x12000 scan\n");
        std::printf("  held at                                    %5d x %d\n", v->picChild->width(),
                    v->picChild->height());
        std::printf("  open, click to shown                       %8.2f ms\n", open);
        std::printf("  scroll a page down, key to painted         %8.2f ms median, %.2f worst\n", median(scrolls),
                    *std::max_element(scrolls.begin(), scrolls.end()));
        std::printf("  peak memory, before / while open           %8.1f / %.1f MB\n", before, peakMB());
        v->close();
    }
    return 0;
}
