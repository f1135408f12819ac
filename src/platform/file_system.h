#pragma once

#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace kv {

// Content paths are matched without regard to letter case, as on the disc's home system.
class IFileSystem
{
public:
    virtual ~IFileSystem() = default;

    // Existing path for `path`, matching each component ignoring case; empty when none.
    virtual QString resolve(const QString& path) = 0;
    bool exists(const QString& path) { return !resolve(path).isEmpty(); }
    // `path` itself or, when it does not exist yet, the nearest folder above it that does.
    QString nearestExisting(const QString& path);
    // Names (not paths) of the files in `dir` matching a wildcard such as "*.jpg", ignoring case,
    // in the order the directory gives them. A missing folder gives an empty list.
    virtual QStringList list(const QString& dir, const QString& pattern) = 0;
    // False when `dir` exists but its entries cannot be read.
    virtual bool canList(const QString& dir) = 0;
    // Copies with the source's permissions; `to` is replaced only once the copy is whole. A
    // copy onto the file itself (the same file by identity) succeeds and changes nothing. On
    // failure `error` holds the system's reason, empty when the source is missing or not a file.
    virtual bool copyFile(const QString& from, const QString& to, QString* error = nullptr) = 0;
    // Deletes the files in `dir` matching `pattern`; returns how many were removed (0 when
    // `dir` is missing), -1 on failure with the system's reason in `error`.
    virtual int removeMatching(const QString& dir, const QString& pattern, QString* error = nullptr) = 0;
    // Deletes one file, its name taken literally; false when it could not be deleted.
    virtual bool removeFile(const QString& path) = 0;
    virtual bool makeDir(const QString& path) = 0;
    virtual bool removeDir(const QString& path) = 0;
    // Bytes free to the user on the volume holding `path`; -1 when the volume cannot be asked.
    virtual std::int64_t freeBytes(const QString& path) = 0;
    virtual std::int64_t totalBytes(const QString& path) = 0;
    // Size of a file in bytes; -1 when it is not there.
    virtual std::int64_t fileSize(const QString& path) = 0;

    // Whether two paths name the same file or folder (device and inode), whatever links, case
    // or bind mounts lie between; false when either is missing.
    virtual bool sameFile(const QString& a, const QString& b) = 0;
    // Whether `path` (which need not exist) lies in `folder` or below it, by the same test.
    virtual bool isInside(const QString& path, const QString& folder) = 0;
    // Moves every file of `fromDir` into `toDir` (made when missing), replacing files of the same
    // name, then removes `fromDir`. Each file arrives whole; on failure `error` says why.
    virtual bool moveFilesInto(const QString& fromDir, const QString& toDir, QString* error) = 0;
    // How removeCopies ended.
    enum class Removal {
        Removed,   // no file matching the pattern is left
        Untouched, // nothing was deleted: the folder could not be taken out of use
        Partly,    // the folder is out of use, but files in it could not be deleted
    };
    // Deletes the files of `dir` matching `pattern`, then `dir` when nothing else is left in it.
    // The folder first leaves its name in one step, so a removal cut short never leaves part of
    // it where it would be read as whole; what such a removal left before is deleted too. Unless
    // Removed, `error` says why.
    virtual Removal removeCopies(const QString& dir, const QString& pattern, QString* error) = 0;
    // Names (made readable, not exact) of the files in `dir` matching `pattern` whose names are
    // not text in the system's encoding: list() cannot give them, nor can they be opened by name.
    virtual QStringList unnamedFiles(const QString& dir, const QString& pattern) = 0;

    // Called after each chunk of a block copy with the bytes written so far and the file size;
    // the first call (0, size) comes before any data moves. Returning false stops the copy.
    using CopyProgress = std::function<bool(std::int64_t done, std::int64_t size)>;
    struct CopyError
    {
        enum Kind { Failed, NoSpace, Stopped };
        Kind kind = Failed;
        QString text; // the system's words
    };
    // Copies `from` to `to` in large chunks. The data goes to a temporary file beside the
    // target, which replaces the target only once every byte is written, so a failed or
    // stopped copy leaves the old file whole and no temporary file behind. Safe on a worker
    // thread: takes real paths (resolve them first) and touches no cached listing; call
    // invalidate() afterwards.
    virtual bool copyInBlocks(const QString& from, const QString& to, const CopyProgress& progress,
                              CopyError* error) = 0;

    // Where the title's own files are read (start-up sound, help file, saver program); the
    // program's folder in a build tree, <prefix>/share/kelvardo when installed system-wide.
    virtual QString programDir() const = 0;
    // Where the program writes its own data (local copies, the saver set): the program's
    // folder in a build tree, the per-user data folder when installed.
    virtual QString dataDir() const = 0;
    virtual QString currentDir() const = 0;
    virtual QString systemDir() const = 0;
    // The user's home folder, where other desktop programs keep their settings.
    virtual QString homeDir() const = 0;
    // Root of drive letter D..Z, or empty when no ready volume has that letter.
    virtual QString driveRoot(QChar letter) = 0;

    // Forget cached listings, and the drive letters of the mounted volumes: a folder may have
    // changed, a disc may have been put in since the last look.
    virtual void invalidate() = 0;
};

class QtFileSystem : public IFileSystem
{
public:
    QtFileSystem();

    QString resolve(const QString& path) override;
    QStringList list(const QString& dir, const QString& pattern) override;
    bool canList(const QString& dir) override;
    bool copyFile(const QString& from, const QString& to, QString* error = nullptr) override;
    int removeMatching(const QString& dir, const QString& pattern, QString* error = nullptr) override;
    bool removeFile(const QString& path) override;
    bool makeDir(const QString& path) override;
    bool removeDir(const QString& path) override;
    std::int64_t freeBytes(const QString& path) override;
    std::int64_t totalBytes(const QString& path) override;
    std::int64_t fileSize(const QString& path) override;
    bool sameFile(const QString& a, const QString& b) override;
    bool isInside(const QString& path, const QString& folder) override;
    bool moveFilesInto(const QString& fromDir, const QString& toDir, QString* error) override;
    Removal removeCopies(const QString& dir, const QString& pattern, QString* error) override;
    QStringList unnamedFiles(const QString& dir, const QString& pattern) override;
    bool copyInBlocks(const QString& from, const QString& to, const CopyProgress& progress,
                      CopyError* error) override;
    QString programDir() const override;
    QString dataDir() const override;
    QString currentDir() const override;
    QString systemDir() const override;
    QString homeDir() const override;
    QString driveRoot(QChar letter) override;
    void invalidate() override;

    // Both the title's files and the written data live here unless setDataDir says otherwise.
    void setProgramDir(const QString& dir) { m_programDir = dir; }
    void setDataDir(const QString& dir) { m_dataDir = dir; }
    void setSystemDir(const QString& dir) { m_systemDir = dir; }
    void setHomeDir(const QString& dir) { m_homeDir = dir; }
    // Letters D, E, F, ... in order for the given roots, kept whatever is mounted later.
    void setDrives(const QStringList& roots);
    void setDrive(QChar letter, const QString& root);

    // A mounted volume, as the drive table sees it.
    struct Volume
    {
        QString root;
        QByteArray type;
        bool ready = true;
        bool isRoot = false;
    };
    // Where the mounted volumes come from (the system's list unless a test gives its own); the
    // drive table is made from it again after every invalidate().
    void setVolumeSource(std::function<QList<Volume>()> source);

protected:
    struct Entry
    {
        QString name;
        bool isDir = false;
    };
    // Entries of an existing directory, cached until invalidate(). resolve() reads a folder
    // again when a name it matched there is gone, or when a name it looks for is not among them
    // and the folder may have changed since it was read.
    const QList<Entry>& entries(const QString& dir);
    // The block copy; a write past `writeLimit` bytes, or a read past `readLimit`, fails as a
    // full disk or an unreadable disc would (-1: no limit).
    static bool blockCopy(const QString& from, const QString& to, const CopyProgress& progress,
                          CopyError* error, std::int64_t writeLimit = -1, std::int64_t readLimit = -1);

private:
    void buildDriveTable();
    // Which folder, and in which state, a listing was read from.
    struct FolderStamp
    {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t changedNs = 0;
        bool operator==(const FolderStamp&) const = default;
    };
    static FolderStamp stampOf(const QString& dir);
    struct Listing
    {
        QList<Entry> entries;
        FolderStamp stamp;
        // Read in the same moment the folder last changed: a change in that moment may be
        // missing from it without changing the stamp.
        bool unsettled = true;
    };
    // Whether the cached listing of `dir` may lack an entry that is there now.
    bool mayBeStale(const QString& dir);

    QHash<QString, Listing> m_listings;
    QMap<QChar, QString> m_drives;
    bool m_drivesBuilt = false;
    bool m_drivesFixed = false;
    std::function<QList<Volume>()> m_volumes;
    QString m_programDir;
    QString m_dataDir;
    QString m_systemDir;
    QString m_homeDir;
};

// Joins a root, a folder and a name with "/" whatever slashes the parts carry.
QString joinPath(const QString& root, const QString& folder, const QString& name = {});

} // namespace kv
