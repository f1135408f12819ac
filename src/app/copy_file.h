#pragma once

#include "platform/file_system.h"

#include <QList>
#include <QString>

#include <functional>

namespace kv {

struct AppContext;
class FloodGauge;

struct CopyJob
{
    QString from;
    QString to;
};

using CopyError = IFileSystem::CopyError;

// Copies the files one after another on a worker thread while this thread keeps handling
// events (windows repaint, timers run). On this thread, in order: onProgress(index, done,
// size) at most once a displayed frame for the file under way, and once with done == size
// for every file that ended whole; onFinished(index, error) when a file ended, error null
// when it copied. After a failure the worker has ended: onFinished may show a message, and
// its answer says whether to go on with the next file. The worker never waits for this
// thread. A target is replaced only by a complete copy.
//
// While it runs, AppContext::stopCopy gives up the file in flight (its temporary file goes
// too) and ends the run; so does the program quitting. Returns false when stopped that way;
// nothing is reported then.
using CopyJobProgress = std::function<void(int index, std::int64_t done, std::int64_t size)>;
using CopyJobFinished = std::function<bool(int index, const CopyError* error)>;
bool runBlockCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                    const CopyJobFinished& onFinished);

// One file with one gauge (the photo window's copies): the gauge shows each whole 1000-byte
// block as a percentage of the file. A failure is reported as ER060; returns whether it copied.
bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge);

} // namespace kv
