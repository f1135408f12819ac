#include "app/copy_file.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/widgets/flood_gauge.h"
#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMutex>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <optional>
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

struct CopyRun::Impl
{
    Impl(AppContext& context, CopyJobProgress progress, CopyJobFinished finished)
        : c(context), files(context.files()), onProgress(std::move(progress)), onFinished(std::move(finished))
    {
    }

    AppContext& c;
    IFileSystem& files;
    QList<CopyJob> jobs;
    CopyJobProgress onProgress;
    CopyJobFinished onFinished;
    int count = 0;
    Shared shared;
    std::atomic<bool> stop = false;
    std::unique_ptr<QThread> worker;
    QTimer frame;
    std::function<void()> outerStop;
    bool started = false;
    bool ended = false;
    bool inCallback = false; // a handler (perhaps with a message up) is running
    // What has been reported so far.
    int reported = 0;
    int lastFile = -1;
    std::int64_t lastDone = -1;

    // The worker runs from `first` until a file fails, the list ends, or it is told to stop.
    // It only ever writes to `shared`: it never waits for this thread.
    void work(int first)
    {
        for (int i = first; i < count && !stop; ++i) {
            {
                QMutexLocker lock(&shared.lock);
                shared.file = i;
                shared.done = 0;
                shared.size = -1;
            }
            CopyError error;
            bool ok = false;
            if (jobs.at(i).from.isEmpty()) {
                error.text = QStringLiteral("No such file or directory");
            } else {
                ok = files.copyInBlocks(jobs.at(i).from, jobs.at(i).to,
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
    }

    // Only the file in flight is waited for, and not to its end.
    void joinWorker()
    {
        frame.stop();
        if (worker) {
            worker->wait();
            worker.reset();
        }
    }
};

CopyRun::CopyRun(AppContext& c, const QList<CopyJob>& jobs, CopyJobProgress onProgress, CopyJobFinished onFinished,
                 QObject* owner)
    : QObject(owner)
    , d(std::make_unique<Impl>(c, std::move(onProgress), std::move(onFinished)))
{
    d->count = int(jobs.size());
    // Names are matched here, where the listing cache lives; the worker gets real paths.
    d->jobs.reserve(d->count);
    for (const CopyJob& job : jobs) {
        const QString target = d->files.resolve(job.to);
        d->jobs.append(CopyJob{d->files.resolve(job.from), target.isEmpty() ? job.to : target});
    }
    d->shared.sizes.resize(std::size_t(d->count));
    // What the user can see changes at most once a frame: report what happened since.
    d->frame.setInterval(frameInterval());
    connect(&d->frame, &QTimer::timeout, this, &CopyRun::report);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &CopyRun::stop);
}

CopyRun::~CopyRun()
{
    if (d->ended || !d->started)
        return;
    d->stop = true;
    d->joinWorker();
    d->c.stopCopy = d->outerStop;
}

void CopyRun::start()
{
    if (d->started)
        return;
    d->started = true;
    d->outerStop = d->c.stopCopy;
    d->c.stopCopy = [self = QPointer<CopyRun>(this)] {
        if (self)
            self->stop();
    };
    if (d->count == 0) {
        finish(true);
        return;
    }
    launch(0);
}

void CopyRun::launch(int first)
{
    {
        QMutexLocker lock(&d->shared.lock);
        d->shared.failed = -1;
    }
    d->worker.reset(QThread::create([this, first] { d->work(first); }));
    connect(d->worker.get(), &QThread::finished, this, &CopyRun::workerEnded, Qt::QueuedConnection);
    d->frame.start();
    d->worker->start();
}

void CopyRun::stop()
{
    if (d->ended || !d->started)
        return;
    d->stop = true;
    // A handler is under way (its message may be up): it ends the run when it returns.
    if (d->inCallback)
        return;
    d->joinWorker();
    report();
    finish(false);
}

void CopyRun::workerEnded()
{
    if (d->ended || !d->worker)
        return;
    if (d->inCallback) {
        QTimer::singleShot(0, this, &CopyRun::workerEnded);
        return;
    }
    d->joinWorker();
    report();
    if (d->stop) {
        finish(false);
        return;
    }
    int failed = -1;
    CopyError error;
    {
        QMutexLocker lock(&d->shared.lock);
        failed = d->shared.failed;
        error = d->shared.error;
    }
    if (failed < 0) {
        finish(true);
        return;
    }
    d->reported = failed + 1;
    d->inCallback = true;
    const bool goOn = !d->onFinished || d->onFinished(failed, &error);
    d->inCallback = false;
    if (d->stop) // closed while the message was up
        finish(false);
    else if (!goOn)
        finish(true);
    else
        launch(failed + 1);
}

void CopyRun::report()
{
    if (d->ended || d->inCallback)
        return;
    int ended = 0, file = 0;
    std::int64_t done = 0, size = -1;
    {
        QMutexLocker lock(&d->shared.lock);
        ended = d->shared.ended;
        file = d->shared.file;
        done = d->shared.done;
        size = d->shared.size;
    }
    d->inCallback = true;
    for (; d->reported < ended; ++d->reported) {
        const std::int64_t whole = d->shared.sizes.at(std::size_t(d->reported));
        if (d->onProgress)
            d->onProgress(d->reported, whole, whole);
        if (d->onFinished)
            d->onFinished(d->reported, nullptr);
    }
    if (d->onProgress && file == d->reported && file < d->count && size >= 0
        && (file != d->lastFile || done != d->lastDone)) {
        d->lastFile = file;
        d->lastDone = done;
        d->onProgress(file, std::min(done, size), size);
    }
    d->inCallback = false;
    // Stopped from a handler while the worker had already ended: nothing else will end the run.
    if (d->stop && !d->worker && !d->ended)
        finish(false);
}

void CopyRun::finish(bool ran)
{
    if (d->ended)
        return;
    d->ended = true;
    d->c.stopCopy = d->outerStop;
    d->files.invalidate();
    deleteLater();
    emit ended(ran);
}

void startCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                 const CopyJobFinished& onFinished, QObject* owner, std::function<void(bool ran)> then)
{
    auto* run = new CopyRun(c, jobs, onProgress, onFinished, owner);
    if (then)
        QObject::connect(run, &CopyRun::ended, owner ? owner : run, std::move(then));
    run->start();
}

void CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge,
                       std::function<void(bool copied)> then)
{
    c.state.ErrCode = QStringLiteral("ER060");
    constexpr std::int64_t Block = 1000;
    auto shown = std::make_shared<std::int64_t>(0);
    auto copied = std::make_shared<bool>(false);
    QPointer<FloodGauge> g = gauge;
    startCopies(c, {CopyJob{source, target}},
        [g, shown](int, std::int64_t done, std::int64_t size) {
            const std::int64_t whole = std::min(done, size) / Block;
            for (std::int64_t i = *shown + 1; i <= whole; ++i) {
                if (g)
                    g->setFloodPercent(double(Block * i) / double(size) * 100);
            }
            *shown = std::max(*shown, whole);
        },
        [copied](int, const CopyError* error) {
            *copied = !error;
            return false;
        },
        gauge ? gauge->window() : nullptr,
        [&c, g, copied, then = std::move(then)](bool ran) {
            // Stopped because its window or the program closed: nobody is left to tell.
            if (ran && !*copied) {
                // The report belongs to the gauge's window, which may stay on top.
                std::optional<DialogOwner> owner;
                if (g)
                    owner.emplace(c.dialogs(), g->window());
                ErrorReporter(c, Failure::Caught);
            }
            if (then)
                then(ran && *copied);
        });
}

} // namespace kv
