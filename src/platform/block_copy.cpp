#include "platform/file_system.h"

#include "platform/native_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>

namespace kv {

namespace {
// Large enough to keep pace with cp, small enough that a stop waits for little even on a
// slow disc.
constexpr std::int64_t Chunk = 1 << 20;
} // namespace

bool QtFileSystem::copyInBlocks(const QString& from, const QString& to, const CopyProgress& progress,
                                CopyError* error)
{
    return blockCopy(from, to, progress, error);
}

bool QtFileSystem::blockCopy(const QString& from, const QString& to, const CopyProgress& progress,
                             CopyError* error, std::int64_t writeLimit, std::int64_t readLimit)
{
    auto fail = [error](CopyError::Kind kind, const QString& why) {
        if (error)
            *error = CopyError{kind, why};
        return false;
    };
    auto stopped = [&] { return fail(CopyError::Stopped, QStringLiteral("The copy was stopped.")); };
    // Opening a named pipe or a device waits for a writer that never comes; only files are read.
    std::error_code unreadable;
    const std::filesystem::file_status status = std::filesystem::status(nativePath(from), unreadable);
    if (unreadable)
        return fail(CopyError::Failed, QString::fromLocal8Bit(unreadable.message()));
    if (!std::filesystem::is_regular_file(status))
        return fail(CopyError::Failed, QStringLiteral("Not a regular file"));
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(CopyError::Failed, source.errorString());
    const std::int64_t size = source.size();
    // The data goes to a hidden file beside the target, renamed over it only when complete;
    // until then the target keeps its old content. Like QSaveFile, without its flush to disk
    // after every file, which made a disc copy run at a fifth of cp's pace.
    const QFileInfo targetInfo(to);
    QTemporaryFile temp(targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName()
                        + QStringLiteral(".XXXXXX"));
    // A short write leaves Qt without a reason; the volume itself says whether it is full.
    auto writeFailed = [&](std::int64_t done) {
        const QStorageInfo volume(targetInfo.absolutePath());
        const bool full = temp.error() == QFileDevice::ResourceError
            || (volume.isValid() && volume.bytesAvailable() < size - done);
        QString why = temp.errorString();
        if (full && temp.error() != QFileDevice::ResourceError)
            why = QStringLiteral("No space left on device");
        return fail(full ? CopyError::NoSpace : CopyError::Failed, why);
    };
    if (!temp.open())
        return writeFailed(0);
    if (progress && !progress(0, size))
        return stopped();

    QByteArray buffer;
    std::int64_t done = 0;
#ifdef Q_OS_LINUX
    // The kernel copies between the files itself, as cp does: half the memory traffic.
    bool inKernel = true;
#endif
    while (done < size) {
        const std::int64_t want = std::min(Chunk, size - done);
        if (readLimit >= 0 && done + want > readLimit)
            return fail(CopyError::Failed, QStringLiteral("Input/output error"));
        if (writeLimit >= 0 && done + want > writeLimit)
            return fail(CopyError::NoSpace, QStringLiteral("No space left on device"));
#ifdef Q_OS_LINUX
        if (inKernel) {
            loff_t in = done, out = done;
            const ssize_t moved = ::copy_file_range(source.handle(), &in, temp.handle(), &out, size_t(want), 0);
            if (moved > 0) {
                done += moved;
                if (progress && !progress(done, size))
                    return stopped();
                continue;
            }
            if (moved == 0)
                return fail(CopyError::Failed, QStringLiteral("The file ended early."));
            if (errno == ENOSPC || errno == EDQUOT)
                return fail(CopyError::NoSpace, qt_error_string(errno));
            if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP)
                return fail(CopyError::Failed, qt_error_string(errno));
            // Not between these file systems: copy through our own buffer from here on.
            inKernel = false;
            if (!source.seek(done) || !temp.seek(done))
                return fail(CopyError::Failed, temp.errorString());
        }
#endif
        if (buffer.isEmpty())
            buffer.resize(Chunk);
        const std::int64_t got = source.read(buffer.data(), want);
        if (got <= 0)
            return fail(CopyError::Failed, got < 0 ? source.errorString() : QStringLiteral("The file ended early."));
        // A write cut short is tried again for the rest, which then fails with the reason.
        for (std::int64_t written = 0; written < got;) {
            const std::int64_t n = temp.write(buffer.constData() + written, got - written);
            if (n <= 0)
                return writeFailed(done + written);
            written += n;
        }
        done += got;
        if (progress && !progress(done, size))
            return stopped();
    }
    if (!temp.flush())
        return writeFailed(done);
    // The temporary file is private to its owner; the copy reads like any file the user writes.
    const QFileDevice::Permissions readable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const QFileDevice::Permissions wanted = targetInfo.exists() ? QFile::permissions(to) : readable;
    // Some volumes keep their own permissions (FAT); a copy others cannot read is a failure.
    if (!temp.setPermissions(wanted) && (temp.permissions() & wanted & readable) != (wanted & readable))
        return fail(CopyError::Failed, temp.errorString());
    temp.close();
    std::error_code failed;
    std::filesystem::rename(nativePath(temp.fileName()), nativePath(to), failed);
    if (failed)
        return fail(CopyError::Failed, QString::fromLocal8Bit(failed.message()));
    temp.setAutoRemove(false);
    return true;
}

bool QtFileSystem::moveFilesInto(const QString& fromDir, const QString& toDir, QString* error)
{
    invalidate();
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QString from = resolve(fromDir);
    if (from.isEmpty())
        return fail(QStringLiteral("No such file or directory"));
    const QString existing = resolve(toDir);
    const QString to = existing.isEmpty() ? QDir::cleanPath(toDir) : existing;
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    std::error_code failed;
    // Nothing there yet: the whole folder arrives in one step.
    if (existing.isEmpty() || QDir(existing).isEmpty(all)) {
        if (!existing.isEmpty())
            QDir().rmdir(existing);
        std::filesystem::rename(nativePath(from), nativePath(to), failed);
        if (!failed) {
            invalidate();
            return true;
        }
    }
    if (!QDir().mkpath(to))
        return fail(QStringLiteral("Unable to create the folder."));
    // Read with the system's own listing: a folder that cannot be read is a failure, not empty.
    failed.clear();
    std::filesystem::directory_iterator it(nativePath(from), failed);
    for (; !failed && it != std::filesystem::directory_iterator(); it.increment(failed)) {
        const std::filesystem::path raw = it->path().filename();
        const QString name = QFile::decodeName(QByteArray::fromStdString(raw.string()));
        // An old copy spelt in other letters is replaced, not doubled.
        const QString old = resolve(joinPath(to, name));
        std::filesystem::path target = nativePath(old.isEmpty() ? joinPath(to, name) : old);
        if (nativePath(name) != raw) // a name text cannot hold keeps its own bytes
            target = nativePath(to) / raw;
        std::filesystem::rename(it->path(), target, failed);
    }
    invalidate();
    if (failed)
        return fail(QString::fromLocal8Bit(failed.message()));
    std::filesystem::remove(nativePath(from), failed);
    if (failed)
        return fail(QString::fromLocal8Bit(failed.message()));
    return true;
}

} // namespace kv
