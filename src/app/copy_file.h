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

// Copies the files one after another on a worker thread while this thread keeps handling
// events (windows repaint, timers run). For each file, in order and on this thread:
// onProgress(index, done, size) for every chunk written (the first with done 0), then
// onFinished(index, ok, error). After a failure the worker waits until onFinished has
// returned, so whatever it shows comes before the next file starts. A target is replaced
// only by a complete copy.
using CopyJobProgress = std::function<void(int index, std::int64_t done, std::int64_t size)>;
using CopyJobFinished = std::function<void(int index, bool ok, const QString& error)>;
void runBlockCopies(AppContext& c, const QList<CopyJob>& jobs, const CopyJobProgress& onProgress,
                    const CopyJobFinished& onFinished);

// One file with one gauge (the photo window's copies): the gauge shows each whole 1000-byte
// block as a percentage of the file. A failure is reported as ER060; returns whether it copied.
bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge);

} // namespace kv
