#pragma once

#include <QString>

namespace kv {

// True for a regular file (after following links). Opening a FIFO, socket or device
// can block the caller forever, so such paths are treated as damaged files.
bool isRegularFile(const QString& path);
// The file's identity: one text for every link or spelling that names it; empty when it is missing.
QString fileIdentity(const QString& path);

} // namespace kv
