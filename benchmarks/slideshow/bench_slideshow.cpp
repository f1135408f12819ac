// Plays the slide show at its shortest delay over many large photos and reports how late each
// slide reaches the screen against its schedule, and the memory as the show goes on.
//
//   bench_slideshow [--photos 300] [--slides 200] [--delay 1000] [--width 3000] [--height 2000]
//                   [--random] [--dir folder-to-keep-the-photos]
//
// Tick n after Play is due at (time of Play) + n x delay; a slide's lateness is the time its
// picture has been painted minus that. The default run takes under five minutes. The memory
// run plays 1,000 slides (about 17 minutes), best in the background and with photos kept for
// later runs:
//
//   QT_QPA_PLATFORM=offscreen nice bench_slideshow --slides 1000 --dir /tmp/kv-slides > slides.txt 2>&1 &
//
// Environment: KV_BENCH_TRACE prints every slide, KV_BENCH_NOCLOCK stops the clock,
// KV_BENCH_SHOT=file.png saves the window after the second slide.

#include "app/app_context.h"
#include "app/form1.h"
#include "startup/startup.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/topic_selection.h"
#include "photos/frm_slide.h"
#include "photos/photo_list.h"
#include "photos/slide_bar.h"
#include "photos/slide_show.h"
#include "platform/doubles/test_services.h"

#include "common/busy_photo.h"
#include "common/proc_status.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdio>

using namespace kv;

namespace {
long residentKb()
{
    return procStatusKb("VmRSS:");
}

int argument(const QStringList& args, const QString& name, int fallback)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1).toInt() : fallback;
}

// The slide reaches the screen when its picture has been painted: the time is taken after the
// picture's own painting, which the filter runs itself.
class PaintWatch : public QObject
{
public:
    using QObject::QObject;
    std::function<void(qint64)> onPaint;
    QElapsedTimer* clock = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || !onPaint)
            return QObject::eventFilter(watched, event);
        static_cast<QObject*>(watched)->event(event);
        onPaint(clock->nsecsElapsed());
        return true;
    }
};

double at(const QList<double>& sorted, double fraction)
{
    return sorted.isEmpty() ? 0 : sorted.at(std::min<qsizetype>(sorted.size() - 1, qsizetype(sorted.size() * fraction)));
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int photos = argument(args, QStringLiteral("--photos"), 300);
    const int slides = argument(args, QStringLiteral("--slides"), 200);
    const int delay = argument(args, QStringLiteral("--delay"), 1000);
    const int width = argument(args, QStringLiteral("--width"), 3000);
    const int height = argument(args, QStringLiteral("--height"), 2000);
    const bool random = args.contains(QStringLiteral("--random"));

    QTemporaryDir temp;
    const int dirAt = args.indexOf(QStringLiteral("--dir"));
    const QString root = dirAt >= 0 && dirAt + 1 < args.size() ? args.at(dirAt + 1) : temp.path();
    QDir().mkpath(root + QStringLiteral("/Murvos"));
    for (int i = 1; i <= photos; ++i) {
        const QString path = root + QStringLiteral("/Murvos/55%1.JPG").arg(i, 3, 10, QLatin1Char('0'));
        if (!QFile::exists(path))
            writeBusyPhoto(path, width, height, i);
    }

    TestServices t;
    t.files->setProgramDir(root);
    AppContext c(t.services);
    c.state.CdDrive = root;
    c.state.PhotoDir = root;
    BuildPhotoList(c);
    Form1_Load(c);
    c.form1->resize(1024, 768);
    cmdYR_Click(c, 1);

    FrmSlide* w = OpenSlideShow(c);
    c.state.SlideDelay = delay;
    if (random)
        w->optSeq[1]->setChecked(true);
    QElapsedTimer clock;
    clock.start();
    PaintWatch watch;
    watch.clock = &clock;
    w->Image1->installEventFilter(&watch);

    const bool trace = qEnvironmentVariableIsSet("KV_BENCH_TRACE");
    QList<double> lateMs;
    long rssAt100 = 0, rssMax = 0;
    int ticks = 0, unpainted = 0;
    qint64 start = 0;
    qint64 due = -1; // the slide waiting to be painted
    qint64 shownKey = w->Image1->image().cacheKey();
    // Connected after the window's own handler: the tick has put its picture in by now.
    QObject::connect(w->Timer1, &QTimer::timeout, &app, [&] {
        ++ticks;
        const qint64 key = w->Image1->image().cacheKey();
        if (key == shownKey)
            return; // the last photo's second interval
        shownKey = key;
        if (due >= 0)
            ++unpainted; // the previous slide never reached the screen
        due = start + qint64(ticks) * delay * 1000000LL;
    });
    watch.onPaint = [&](qint64 now) {
        if (due < 0)
            return;
        const double late = (now - due) / 1e6;
        lateMs << late;
        due = -1;
        const qsizetype shown = lateMs.size();
        if (trace)
            std::fprintf(stderr, "slide %lld (tick %d, %s) late %.1f ms\n", static_cast<long long>(shown), ticks,
                         qPrintable(w->pnlPhotoNumber->text()), late);
        const long rss = residentKb();
        rssMax = std::max(rssMax, rss);
        if (shown == 100)
            rssAt100 = rss;
        if (shown % 100 == 0)
            std::fprintf(stderr, "%lld slides, %ld kB\n", static_cast<long long>(shown), rss);
        if (shown == 2 && qEnvironmentVariableIsSet("KV_BENCH_SHOT"))
            QTimer::singleShot(50, w, [w] { w->grab().save(qEnvironmentVariable("KV_BENCH_SHOT")); });
        if (shown >= slides)
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
    };

    if (qEnvironmentVariableIsSet("KV_BENCH_NOCLOCK"))
        w->Timer3->stop();
    QTimer::singleShot(500, &app, [&] {
        start = clock.nsecsElapsed();
        w->mmSlide->click(SlideBar::Play);
    });
    app.exec();

    const long rssEnd = residentKb();
    QList<double> sorted = lateMs;
    std::sort(sorted.begin(), sorted.end());
    std::printf("photos %d (%dx%d), %s order, slides %lld over %d ticks, delay %d ms\n", photos, width, height,
                random ? "random" : "sequential", static_cast<long long>(lateMs.size()), ticks, delay);
    std::printf("lateness: median %.1f ms, 95%% %.1f ms, worst %.1f ms, best %.1f ms; not painted before the "
                "next tick: %d\n",
                at(sorted, 0.5), at(sorted, 0.95), sorted.isEmpty() ? 0 : sorted.last(),
                sorted.isEmpty() ? 0 : sorted.first(), unpainted);
    if (rssAt100 > 0)
        std::printf("memory: %ld kB after 100 slides, %ld kB after %lld (%+ld kB), peak %ld kB\n", rssAt100,
                    rssEnd, static_cast<long long>(lateMs.size()), rssEnd - rssAt100, rssMax);
    else
        std::printf("memory: %ld kB after %lld slides, peak %ld kB\n", rssEnd, static_cast<long long>(lateMs.size()),
                    rssMax);
    std::printf("error boxes: %lld\n", static_cast<long long>(t.dialogs->boxes.size()));
    return 0;
}
