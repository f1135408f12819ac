#include "platform/file_system.h"

#include "platform/native_path.h"
#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryFile>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace kv {

namespace {
// Volumes that can never hold a content disc.
bool isPseudoFileSystem(const QByteArray& type)
{
    static const QList<QByteArray> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup", "cgroup2", "securityfs",
        "pstore", "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs",
        "binfmt_misc", "autofs", "bpf", "rpc_pipefs", "nsfs", "overlay", "squashfs", "ramfs",
        "efivarfs", "fuse.portal", "fuse.gvfsd-fuse"};
    return pseudo.contains(type);
}

QRegularExpression wildcard(const QString& pattern)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                              QRegularExpression::CaseInsensitiveOption);
}
} // namespace

QString joinPath(const QString& root, const QString& folder, const QString& name)
{
    QString out = root;
    auto append = [&out](QString part) {
        part.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (part.isEmpty())
            return;
        const bool slashOut = out.endsWith(QLatin1Char('/'));
        const bool slashIn = part.startsWith(QLatin1Char('/'));
        if (slashOut && slashIn)
            part.remove(0, 1);
        else if (!slashOut && !slashIn && !out.isEmpty())
            out += QLatin1Char('/');
        out += part;
    };
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    append(folder);
    append(name);
    return out;
}

QtFileSystem::QtFileSystem()
    : m_volumes([] {
        QList<Volume> out;
        for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
            out.append(Volume{v.rootPath(), v.fileSystemType(), v.isValid() && v.isReady(), v.isRoot()});
        return out;
    })
{
}

QtFileSystem::FolderStamp QtFileSystem::stampOf(const QString& dir)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::stat(QFile::encodeName(dir).constData(), &st) != 0)
        return {};
    return FolderStamp{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino),
                       std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
#else
    const QFileInfo info(dir);
    return FolderStamp{0, 0, info.exists() ? info.lastModified().toMSecsSinceEpoch() * 1'000'000 : 0};
#endif
}

const QList<QtFileSystem::Entry>& QtFileSystem::entries(const QString& dir)
{
    auto it = m_listings.find(dir);
    if (it != m_listings.end())
        return it->entries;
    Listing listing;
    // Taken before the read, so that a change during it shows as a new stamp next time.
    listing.stamp = stampOf(dir);
    // File systems that keep whole seconds (two on FAT) give one stamp to every change within
    // them; the others still share one within a clock tick of some milliseconds.
    constexpr std::int64_t Second = 1'000'000'000;
    const std::int64_t tick = listing.stamp.changedNs % Second == 0 ? 2 * Second : Second / 10;
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch()).count();
    listing.unsettled = now - listing.stamp.changedNs < tick;
    // The directory entries carry their type, so listing costs no stat per file.
    QDirIterator iter(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (iter.hasNext()) {
        iter.next();
        const QFileInfo info = iter.fileInfo();
        listing.entries.append(Entry{iter.fileName(), info.isDir()});
    }
    return m_listings.insert(dir, listing)->entries;
}

bool QtFileSystem::mayBeStale(const QString& dir)
{
    const auto it = m_listings.constFind(dir);
    return it != m_listings.cend() && (it->unsettled || stampOf(dir) != it->stamp);
}

QString QtFileSystem::resolve(const QString& rawPath)
{
    if (rawPath.isEmpty())
        return {};
    QString path = rawPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo::exists(path))
        return path;

    QString abs = QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path);
    abs = QDir::cleanPath(abs);
    const QStringList parts = abs.split(QLatin1Char('/'), Qt::KeepEmptyParts);
    // The first part is "" for "/x" or "C:" for a drive path.
    QString current = parts.value(0).isEmpty() ? QStringLiteral("/") : parts.value(0) + QLatin1Char('/');
    for (int i = 1; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (part.isEmpty())
            continue;
        const QString exact = joinPath(current, part);
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        if (!QFileInfo(current).isDir())
            return {};
        auto matchIn = [this, &current, &part]() -> QString {
            const QList<Entry>& names = entries(current);
            const auto match = std::find_if(names.cbegin(), names.cend(), [&part](const Entry& e) {
                return e.name.compare(part, Qt::CaseInsensitive) == 0;
            });
            return match == names.cend() ? QString() : joinPath(current, match->name);
        };
        QString found = matchIn();
        // The folder changed since it was read: a name from the cache is gone, or one that is
        // not in the cache (a page added in another case) may have come.
        if (found.isEmpty() ? mayBeStale(current) : !QFileInfo::exists(found)) {
            m_listings.remove(current);
            found = matchIn();
        }
        if (found.isEmpty())
            return {};
        current = found;
    }
    return current;
}

QStringList QtFileSystem::list(const QString& dir, const QString& pattern)
{
    const QString real = resolve(dir);
    if (real.isEmpty() || !QFileInfo(real).isDir())
        return {};
    // "*.ext", the usual pattern, needs no regular expression.
    const bool suffixOnly = pattern.startsWith(QLatin1String("*."))
        && !pattern.mid(1).contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?'))
        && !pattern.contains(QLatin1Char('['));
    const QString suffix = pattern.mid(1);
    const QRegularExpression re = suffixOnly ? QRegularExpression() : wildcard(pattern);
    QStringList out;
    for (const Entry& e : entries(real)) {
        if (e.isDir)
            continue;
        if (suffixOnly ? e.name.endsWith(suffix, Qt::CaseInsensitive) : re.match(e.name).hasMatch())
            out.append(e.name);
    }
    return out;
}

QStringList QtFileSystem::unnamedFiles(const QString& dir, const QString& pattern)
{
    const QString real = resolve(dir);
    if (real.isEmpty())
        return {};
    const QRegularExpression re = wildcard(pattern);
    QStringList out;
    std::error_code failed;
    std::filesystem::directory_iterator it(nativePath(real), failed);
    for (; !failed && it != std::filesystem::directory_iterator(); it.increment(failed)) {
        const std::filesystem::path raw = it->path().filename();
        const QString name = QFile::decodeName(QByteArray::fromStdString(raw.string()));
        std::error_code notDir;
        if (nativePath(name) != raw && !it->is_directory(notDir) && re.match(name).hasMatch())
            out.append(name);
    }
    return out;
}

bool QtFileSystem::canList(const QString& dir)
{
    const QString real = resolve(dir);
    if (real.isEmpty())
        return true; // missing is empty, not broken
    const QFileInfo info(real);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

bool QtFileSystem::copyFile(const QString& from, const QString& to, QString* error)
{
    auto fail = [this, error](const QString& why) {
        if (error)
            *error = why;
        invalidate();
        return false;
    };
    const QString src = resolve(from);
    if (src.isEmpty())
        return fail(QString());
    QString target = resolve(to);
    if (target.isEmpty())
        target = to;
    // A program running from the folder it installs into copies a file onto itself: that copy
    // is already made, and removing the target first would delete the source.
    std::error_code notSame;
    if (std::filesystem::equivalent(std::filesystem::path(src.toStdU16String()),
                                    std::filesystem::path(target.toStdU16String()), notSame))
        return true;
    if (!isRegularFile(src))
        return fail(QString()); // no file to copy, as when it is missing
    QFile source(src);
    if (!source.open(QIODevice::ReadOnly))
        return fail(source.errorString());
    // Written beside the target and renamed over it, so a failed copy leaves the old file whole.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    out.setPermissions(source.permissions()); // an installed program stays executable
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty())
            return fail(source.errorString());
        // A write cut short is tried again for the rest, which then fails with the reason.
        for (qint64 written = 0; written < chunk.size();) {
            const qint64 n = out.write(chunk.constData() + written, chunk.size() - written);
            if (n <= 0)
                return fail(out.errorString());
            written += n;
        }
    }
    if (!out.commit())
        return fail(out.errorString());
    invalidate();
    return true;
}

int QtFileSystem::removeMatching(const QString& dir, const QString& pattern, QString* error)
{
    const QString real = resolve(dir);
    if (real.isEmpty())
        return 0;
    int removed = 0;
    for (const QString& name : list(real, pattern)) {
        QFile file(joinPath(real, name));
        if (!file.remove()) {
            if (error)
                *error = file.errorString();
            invalidate();
            return -1;
        }
        ++removed;
    }
    invalidate();
    return removed;
}

bool QtFileSystem::removeFile(const QString& path)
{
    const QString real = resolve(path);
    invalidate();
    return !real.isEmpty() && QFile::remove(real);
}

std::int64_t QtFileSystem::fileSize(const QString& path)
{
    const QString real = resolve(path);
    return real.isEmpty() ? -1 : QFileInfo(real).size();
}

bool QtFileSystem::sameFile(const QString& a, const QString& b)
{
    const QString realA = resolve(a);
    const QString realB = resolve(b);
    if (realA.isEmpty() || realB.isEmpty())
        return false;
    std::error_code failed;
    return std::filesystem::equivalent(nativePath(realA), nativePath(realB), failed) && !failed;
}

bool QtFileSystem::isInside(const QString& path, const QString& folder)
{
    const QString realFolder = resolve(folder);
    if (realFolder.isEmpty() || path.isEmpty())
        return false;
    QString at = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
    for (;;) {
        const QString parent = QFileInfo(at).path();
        if (parent == at)
            return false;
        at = parent;
        if (sameFile(at, realFolder))
            return true;
    }
}

bool QtFileSystem::makeDir(const QString& path)
{
    invalidate();
    if (!resolve(path).isEmpty())
        return false; // already there, as the old mkdir said
    return QDir().mkpath(path);
}

bool QtFileSystem::removeDir(const QString& path)
{
    const QString real = resolve(path);
    invalidate();
    return !real.isEmpty() && QDir().rmdir(real);
}

std::int64_t QtFileSystem::freeBytes(const QString& path)
{
    QString real = resolve(path);
    if (real.isEmpty())
        real = path;
    const QStorageInfo info(real);
    return info.isValid() && info.isReady() ? info.bytesAvailable() : -1;
}

std::int64_t QtFileSystem::totalBytes(const QString& path)
{
    QString real = resolve(path);
    if (real.isEmpty())
        real = path;
    const QStorageInfo info(real);
    return info.isValid() ? info.bytesTotal() : 0;
}

namespace {

// The installed title's own files, or empty when the program runs from a build tree.
QString installedShareDir()
{
#ifdef KV_SHARE_FROM_BIN
    const QString share = QDir::cleanPath(QCoreApplication::applicationDirPath()
                                          + QLatin1Char('/') + QStringLiteral(KV_SHARE_FROM_BIN));
    if (QFileInfo(share).isDir())
        return share;
#endif
    return {};
}

} // namespace

QString QtFileSystem::programDir() const
{
    if (!m_programDir.isEmpty())
        return m_programDir;
    const QString share = installedShareDir();
    return share.isEmpty() ? QCoreApplication::applicationDirPath() : share;
}

QString QtFileSystem::dataDir() const
{
    if (!m_dataDir.isEmpty())
        return m_dataDir;
    if (!m_programDir.isEmpty() || installedShareDir().isEmpty())
        return programDir();
    // Nothing is written under the install prefix.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString QtFileSystem::currentDir() const
{
    return QDir::currentPath();
}

QString QtFileSystem::systemDir() const
{
    if (!m_systemDir.isEmpty())
        return m_systemDir;
#ifdef Q_OS_WIN
    return QDir::fromNativeSeparators(qEnvironmentVariable("WINDIR", QStringLiteral("C:/Windows")));
#else
    const QString dir = QDir::homePath() + QStringLiteral("/.local/bin");
    QDir().mkpath(dir);
    return dir;
#endif
}

QString IFileSystem::nearestExisting(const QString& path)
{
    QString at = QDir::cleanPath(path);
    while (!at.isEmpty() && !exists(at)) {
        const qsizetype slash = at.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return {};
        at = slash == 0 ? QStringLiteral("/") : at.left(slash);
        if (at == QLatin1String("/"))
            break;
    }
    return at;
}

QString QtFileSystem::homeDir() const
{
    return m_homeDir.isEmpty() ? QDir::homePath() : m_homeDir;
}

void QtFileSystem::setDrives(const QStringList& roots)
{
    m_drives.clear();
    for (int i = 0; i < roots.size() && i < 23; ++i)
        m_drives.insert(QChar(u'D' + i), roots.at(i));
    m_drivesBuilt = true;
    m_drivesFixed = true;
}

void QtFileSystem::setDrive(QChar letter, const QString& root)
{
    m_drivesBuilt = true;
    m_drivesFixed = true;
    m_drives.insert(letter.toUpper(), root);
}

void QtFileSystem::setVolumeSource(std::function<QList<Volume>()> source)
{
    m_volumes = std::move(source);
    m_drivesBuilt = false;
    m_drivesFixed = false;
}

void QtFileSystem::buildDriveTable()
{
    m_drivesBuilt = true;
#ifdef Q_OS_WIN
    for (QChar c = u'D'; c <= u'Z'; c = QChar(c.unicode() + 1))
        m_drives.insert(c, QString(c) + QLatin1Char(':'));
#else
    QStringList roots;
    for (const Volume& v : m_volumes()) {
        if (!v.ready || v.isRoot || isPseudoFileSystem(v.type))
            continue;
        roots.append(v.root);
    }
    roots.sort();
    roots.removeDuplicates();
    m_drives.clear();
    for (int i = 0; i < roots.size() && i < 23; ++i)
        m_drives.insert(QChar(u'D' + i), roots.at(i));
#endif
}

QString QtFileSystem::driveRoot(QChar letter)
{
    if (!m_drivesBuilt)
        buildDriveTable();
    return m_drives.value(letter.toUpper());
}

void QtFileSystem::invalidate()
{
    m_listings.clear();
    if (!m_drivesFixed)
        m_drivesBuilt = false;
}

} // namespace kv
