#include "app/copy_file.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/widgets/flood_gauge.h"

#include <QEventLoop>
#include <QMutex>
#include <QPointer>
#include <QSemaphore>
#include <QThread>

#include <algorithm>
#include <memory>

namespace kv {

void runBlockCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                    const CopyJobFinished& onFinished)
{
    if (jobs.isEmpty())
        return;
    IFileSystem& files = c.files();
    // Names are matched here, where the listing cache lives; the worker gets real paths.
    QList<CopyJob> real;
    real.reserve(jobs.size());
    for (const CopyJob& job : jobs) {
        const QString target = files.resolve(job.to);
        real.append(CopyJob{files.resolve(job.from), target.isEmpty() ? job.to : target});
    }

    // Everything the worker says is queued to this object, so it arrives in the order sent.
    QObject receiver;
    QEventLoop loop;
    QSemaphore acknowledged;
    // While one progress report waits in the queue, later chunks only raise its figure, so a
    // fast copy cannot flood this thread. A file's first and last reports always go.
    QMutex latestLock;
    int latestFile = -1;
    std::int64_t latest = 0;
    bool waiting = false;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        for (int i = 0; i < real.size(); ++i) {
            auto post = [&, i](std::int64_t done, std::int64_t size) {
                if (!onProgress)
                    return;
                {
                    QMutexLocker lock(&latestLock);
                    latestFile = i;
                    latest = done;
                    const bool edge = done == 0 || done == size;
                    if (waiting && !edge)
                        return;
                    waiting = !edge;
                }
                QMetaObject::invokeMethod(&receiver, [&, i, done, size] {
                    std::int64_t now = done;
                    if (done != 0 && done != size) {
                        QMutexLocker lock(&latestLock);
                        if (latestFile != i) {
                            now = size; // the worker has gone on to the next file
                        } else {
                            now = std::max(done, latest);
                            waiting = false;
                        }
                    }
                    onProgress(i, std::min(now, size), size);
                }, Qt::QueuedConnection);
            };
            QString error;
            bool ok = false;
            if (real.at(i).from.isEmpty())
                error = QStringLiteral("No such file or directory");
            else
                ok = files.copyInBlocks(real.at(i).from, real.at(i).to, post, &error);
            QMetaObject::invokeMethod(&receiver, [&, i, ok, error] {
                if (onFinished)
                    onFinished(i, ok, error);
                if (!ok)
                    acknowledged.release();
            }, Qt::QueuedConnection);
            if (!ok)
                acknowledged.acquire();
        }
        QMetaObject::invokeMethod(&receiver, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    }));
    worker->start();
    loop.exec();
    worker->wait();
    files.invalidate();
}

bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge)
{
    c.state.ErrCode = QStringLiteral("ER060");
    constexpr std::int64_t Block = 1000;
    std::int64_t shown = 0;
    bool copied = false;
    QPointer<FloodGauge> g = gauge;
    runBlockCopies(c, {CopyJob{source, target}},
        [&](int, std::int64_t done, std::int64_t size) {
            const std::int64_t whole = std::min(done, size) / Block;
            for (std::int64_t i = shown + 1; i <= whole; ++i) {
                if (g)
                    g->setFloodPercent(double(Block * i) / double(size) * 100);
            }
            shown = std::max(shown, whole);
        },
        [&](int, bool ok, const QString&) { copied = ok; });
    if (!copied)
        ErrorReporter(c, Failure::Caught);
    return copied;
}

} // namespace kv
