#include "platform/doubles/fake_file_system.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace kv {

FakeFileSystem::FakeFileSystem()
{
    setHomeDir(QDir::temp().filePath(QStringLiteral("kv-test-home-none-%1").arg(QCoreApplication::applicationPid())));
}

QStringList FakeFileSystem::list(const QString& dir, const QString& pattern)
{
    ++listCalls;
    for (const QString& root : m_failing) {
        if (dir.startsWith(root))
            return {};
    }
    return QtFileSystem::list(dir, pattern);
}

bool FakeFileSystem::canList(const QString& dir)
{
    for (const QString& root : m_failing) {
        if (dir.startsWith(root))
            return false;
    }
    return QtFileSystem::canList(dir);
}

std::int64_t FakeFileSystem::freeBytes(const QString& path)
{
    return freeSpace >= 0 ? freeSpace : QtFileSystem::freeBytes(path);
}

namespace {
bool under(const QString& path, const QString& root)
{
    return !root.isEmpty() && (path == root || path.startsWith(root + QLatin1Char('/')));
}
} // namespace

bool FakeFileSystem::makeDir(const QString& path)
{
    if (under(path, readOnlyRoot)) {
        invalidate();
        return false;
    }
    return QtFileSystem::makeDir(path);
}

bool FakeFileSystem::copyInBlocks(const QString& from, const QString& to, const CopyProgress& progress,
                                  CopyError* error)
{
    if (under(to, readOnlyRoot)) {
        if (error)
            *error = CopyError{CopyError::Failed, QStringLiteral("Permission denied")};
        return false;
    }
    if (chunkDelayMs <= 0)
        return blockCopy(from, to, progress, error, diskFullAfter, readFailsAfter);
    const int delay = chunkDelayMs;
    const CopyProgress slow = [&progress, delay](std::int64_t done, std::int64_t size) {
        QThread::msleep(delay);
        return !progress || progress(done, size);
    };
    return blockCopy(from, to, slow, error, diskFullAfter, readFailsAfter);
}

} // namespace kv
