#include "bench_find_typing.h"

#include "browse/find_window.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace {
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
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        figures.longestBlockMs = std::max(figures.longestBlockMs, (now - last) / 1e6 - 1);
        last = now;
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
