#include "platform/doubles/fake_file_system.h"

namespace kv {

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

} // namespace kv
