#include "platform/regular_file.h"

#include <QFileInfo>

namespace kv {

bool isRegularFile(const QString& path)
{
    // QFileInfo::isFile is false for FIFOs, sockets and devices; stat() never blocks on them.
    return QFileInfo(path).isFile();
}

QString fileIdentity(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace kv
