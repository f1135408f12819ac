#include "app/copy_file.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/widgets/flood_gauge.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QMutex>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace kv {

namespace {
// What the worker tells this thread, under `lock`.
struct Shared
{
    QMutex lock;
    int file = 0; // the file under way
    std::int64_t done = 0;
    std::int64_t size = -1; // -1 until the file is open
    int ended = 0; // files before this one ended whole
    std::vector<std::int64_t> sizes;
    int failed = -1;
    CopyError error;
};

// Milliseconds between the frames the screen shows.
int frameInterval()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double hz = screen ? screen->refreshRate() : 0;
    return std::clamp(int(1000 / (hz >= 10 ? hz : 60)), 4, 50);
}
} // namespace

bool runBlockCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                    const CopyJobFinished& onFinished)
{
    const int count = int(jobs.size());
    if (count == 0)
        return true;
    IFileSystem& files = c.files();
    // Names are matched here, where the listing cache lives; the worker gets real paths.
    QList<CopyJob> real;
    real.reserve(count);
    for (const CopyJob& job : jobs) {
        const QString target = files.resolve(job.to);
        real.append(CopyJob{files.resolve(job.from), target.isEmpty() ? job.to : target});
    }

    Shared shared;
    shared.sizes.resize(std::size_t(count));
    std::atomic<bool> stop = false;
    std::atomic<bool> workerEnded = false;
    // The worker runs from `first` until a file fails, the list ends, or it is told to stop.
    // It only ever writes to `shared`: it never waits for this thread.
    auto work = [&](int first) {
        for (int i = first; i < count && !stop; ++i) {
            {
                QMutexLocker lock(&shared.lock);
                shared.file = i;
                shared.done = 0;
                shared.size = -1;
            }
            CopyError error;
            bool ok = false;
            if (real.at(i).from.isEmpty()) {
                error.text = QStringLiteral("No such file or directory");
            } else {
                ok = files.copyInBlocks(real.at(i).from, real.at(i).to,
                    [&](std::int64_t done, std::int64_t size) {
                        QMutexLocker lock(&shared.lock);
                        shared.done = done;
                        shared.size = size;
                        return !stop;
                    }, &error);
            }
            QMutexLocker lock(&shared.lock);
            if (!ok) {
                if (error.kind != CopyError::Stopped) {
                    shared.failed = i;
                    shared.error = error;
                }
                break;
            }
            shared.sizes[std::size_t(i)] = shared.size;
            shared.ended = i + 1;
        }
        workerEnded = true;
    };

    // What the user can see changes at most once a frame: report what happened since.
    int reported = 0;
    int lastFile = -1;
    std::int64_t lastDone = -1;
    auto report = [&] {
        int ended = 0, file = 0;
        std::int64_t done = 0, size = -1;
        {
            QMutexLocker lock(&shared.lock);
            ended = shared.ended;
            file = shared.file;
            done = shared.done;
            size = shared.size;
        }
        for (; reported < ended; ++reported) {
            const std::int64_t whole = shared.sizes.at(std::size_t(reported));
            if (onProgress)
                onProgress(reported, whole, whole);
            if (onFinished)
                onFinished(reported, nullptr);
        }
        if (onProgress && file == reported && file < count && size >= 0 && (file != lastFile || done != lastDone)) {
            lastFile = file;
            lastDone = done;
            onProgress(file, std::min(done, size), size);
        }
    };

    QEventLoop* running = nullptr;
    const std::function<void()> outerStop = c.stopCopy;
    c.stopCopy = [&] {
        stop = true;
        if (running)
            running->quit();
    };
    QTimer frame;
    frame.setInterval(frameInterval());
    QObject::connect(&frame, &QTimer::timeout, report);
    bool stopped = false;
    for (int next = 0; next < count;) {
        {
            QMutexLocker lock(&shared.lock);
            shared.failed = -1;
        }
        workerEnded = false;
        std::unique_ptr<QThread> worker(QThread::create(work, next));
        QEventLoop loop;
        QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        running = &loop;
        worker->start();
        frame.start();
        if (!stop)
            loop.exec();
        frame.stop();
        running = nullptr;
        // The loop ended before the worker: the program is quitting. Only the file in flight
        // is waited for, and not to its end.
        if (!workerEnded)
            stop = true;
        worker->wait();
        report();
        if (stop) {
            stopped = true;
            break;
        }
        int failed = -1;
        CopyError error;
        {
            QMutexLocker lock(&shared.lock);
            failed = shared.failed;
            error = shared.error;
        }
        if (failed < 0)
            break;
        reported = failed + 1;
        const bool goOn = !onFinished || onFinished(failed, &error);
        if (stop) { // closed while the message was up
            stopped = true;
            break;
        }
        if (!goOn)
            break;
        next = failed + 1;
    }
    c.stopCopy = outerStop;
    files.invalidate();
    return !stopped;
}

bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge)
{
    c.state.ErrCode = QStringLiteral("ER060");
    constexpr std::int64_t Block = 1000;
    std::int64_t shown = 0;
    bool copied = false;
    QPointer<FloodGauge> g = gauge;
    const bool ran = runBlockCopies(c, {CopyJob{source, target}},
        [&](int, std::int64_t done, std::int64_t size) {
            const std::int64_t whole = std::min(done, size) / Block;
            for (std::int64_t i = shown + 1; i <= whole; ++i) {
                if (g)
                    g->setFloodPercent(double(Block * i) / double(size) * 100);
            }
            shown = std::max(shown, whole);
        },
        [&](int, const CopyError* error) {
            copied = !error;
            return false;
        });
    // Stopped because its window or the program closed: nobody is left to tell.
    if (!ran)
        return false;
    if (!copied)
        ErrorReporter(c, Failure::Caught);
    return copied;
}

} // namespace kv
