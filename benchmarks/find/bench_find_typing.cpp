#include "bench_find_typing.h"

#include "browse/find_window.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <ctime>

namespace {
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

TypingFigures typeIntoFindWindow(kv::AppContext& c, kv::FindIndexer& indexer, const QStringList& queries, int gapMs)
{
    kv::FindWindow window(c, indexer, nullptr);
    window.present();
    spin(100);

    // A tick each millisecond: a longer gap between two is time the thread spent elsewhere.
    TypingFigures figures;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    double lastCpu = threadCpuMs();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = threadCpuMs();
        figures.longestBlockMs = std::max(figures.longestBlockMs, (now - last) / 1e6 - 1);
        figures.longestWorkMs = std::max(figures.longestWorkMs, cpu - lastCpu);
        last = now;
        lastCpu = cpu;
    });
    tick.start();
    for (const QString& query : queries) {
        for (qsizetype n = 1; n <= query.size(); ++n) {
            const bool lastLetter = n == query.size();
            if (lastLetter)
                window.lblCount->clear();
            QElapsedTimer answer;
            answer.start();
            window.txtFind->setText(query.left(n));
            window.search();
            if (!lastLetter) {
                spin(gapMs);
                continue;
            }
            while (window.lblCount->text().isEmpty() && answer.elapsed() < 20000)
                spin(1);
            figures.worstAnswerMs = std::max(figures.worstAnswerMs, answer.nsecsElapsed() / 1e6);
            spin(gapMs);
        }
        window.txtFind->clear();
        window.search();
        spin(gapMs);
    }
    tick.stop();
    return figures;
}
