#pragma once

#include "platform/file_system.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace kv {

struct AppContext;
class FloodGauge;

struct CopyJob
{
    QString from;
    QString to;
};

using CopyError = IFileSystem::CopyError;

using CopyJobProgress = std::function<void(int index, std::int64_t done, std::int64_t size)>;
using CopyJobFinished = std::function<bool(int index, const CopyError* error)>;

// Copies the files one after another on a worker thread; this thread only hears of it. On
// this thread, in order: onProgress(index, done, size) at most once a displayed frame for
// the file under way, and once with done == size for every file that ended whole;
// onFinished(index, error) when a file ended, error null when it copied. After a failure the
// worker has ended: onFinished may show a message, and its answer says whether to go on with
// the next file. The worker never waits for this thread. A target is replaced only by a
// complete copy. ended() comes once, after the last report; the run then deletes itself.
//
// While it runs, AppContext::stopCopy gives up the file in flight (its temporary file goes
// too) and ends the run at once; so does the program quitting. ended(false) says it was
// stopped that way; nothing is reported then. Deleted with its owner before it ended, it
// gives up its file the same way and says nothing.
class CopyRun final : public QObject
{
    Q_OBJECT
public:
    CopyRun(AppContext& c, const QList<CopyJob>& jobs, CopyJobProgress onProgress, CopyJobFinished onFinished,
            QObject* owner);
    ~CopyRun() override;
    void start();
    void stop();

signals:
    void ended(bool ran);

private:
    void launch(int first);
    void workerEnded();
    void report();
    void finish(bool ran);

    struct Impl;
    std::unique_ptr<Impl> d;
};

// Starts a run owned by `owner`; `then(ran)` follows it, unless the owner went first.
void startCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                 const CopyJobFinished& onFinished, QObject* owner, std::function<void(bool ran)> then);

// One file with one gauge (the photo window's copies): the gauge shows each whole 1000-byte
// block as a percentage of the file. A failure is reported as ER060. `then(copied)` follows,
// false too when its window or the program closed first (then nothing is reported).
void CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge,
                       std::function<void(bool copied)> then);

} // namespace kv
