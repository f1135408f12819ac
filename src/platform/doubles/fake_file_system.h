#pragma once

#include "platform/file_system.h"

#include <QSet>

namespace kv {

// The real file system on test folders, with a drive table of the test's own and
// drives that fail like an empty or unreadable drive.
class FakeFileSystem final : public QtFileSystem
{
public:
    // A test never reaches the settings of the user running it.
    FakeFileSystem();
    QStringList list(const QString& dir, const QString& pattern) override;
    std::int64_t freeBytes(const QString& path) override;
    bool canList(const QString& dir) override;
    bool makeDir(const QString& path) override;
    bool copyInBlocks(const QString& from, const QString& to, const CopyProgress& progress,
                      CopyError* error) override;

    void failDrive(const QString& root) { m_failing.insert(root); }
    // Pretend free space, -1 for the real figure.
    std::int64_t freeSpace = -1;
    int listCalls = 0;
    // Folders under this root cannot be written, as on a read-only disk.
    QString readOnlyRoot;
    // A copy fails once this many bytes are written (a full disk), or read (a bad disc); -1: never.
    std::int64_t diskFullAfter = -1;
    std::int64_t readFailsAfter = -1;
    // A slow disc: each chunk of a block copy takes at least this long.
    int chunkDelayMs = 0;

private:
    QSet<QString> m_failing;
};

} // namespace kv
