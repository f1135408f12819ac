#pragma once

#include "platform/file_system.h"

#include <QString>

namespace kv {

struct AppContext;
class FloodGauge;

// Copies `from` to `to` on a worker thread while this thread keeps handling events (windows
// repaint, timers run). `onProgress` runs here, in order, for every chunk written. The target
// is replaced only by a complete copy. On failure `error` holds the system's text.
bool runBlockCopy(AppContext& c, const QString& from, const QString& to,
                  const IFileSystem::CopyProgress& onProgress, QString* error = nullptr);

// One file with one gauge (the photo window's copies): the gauge shows each whole 1000-byte
// block as a percentage of the file. A failure is reported as ER060; returns whether it copied.
bool CopyFileWithGauge(AppContext& c, const QString& source, const QString& target, FloodGauge* gauge);

} // namespace kv
