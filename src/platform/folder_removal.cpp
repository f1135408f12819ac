#include "platform/file_system.h"

#include "platform/native_path.h"

#include <QDir>
#include <QFileInfo>

namespace kv {

namespace {
bool present(const QString& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(nativePath(path), ignored));
}
} // namespace

IFileSystem::Removal QtFileSystem::removeCopies(const QString& dir, const QString& pattern, QString* error)
{
    invalidate();
    const QString real = resolve(dir);
    const QFileInfo home(QDir::cleanPath(real.isEmpty() ? dir : real));
    const QString parent = home.path();
    // Hidden, and never matched by the folder's own name in any letter case.
    const QString retired = QLatin1Char('.') + home.fileName() + QStringLiteral(".removing");
    QString why;
    // Deletes the matching files of a retired folder, then the folder; one that still holds other
    // files goes back to its name, as the plain removal would have left it.
    auto clearOut = [&](const QString& folder) {
        QString failed;
        if (removeMatching(folder, pattern, &failed) < 0) {
            why = failed;
            return false;
        }
        if (!QDir().rmdir(folder) && !present(home.filePath()))
            QDir().rename(folder, home.filePath());
        invalidate();
        return true;
    };

    bool leftOver = false;
    const QDir::Filters folders = QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot;
    for (const QString& old : QDir(parent).entryList({retired + QLatin1Char('*')}, folders))
        leftOver = !clearOut(joinPath(parent, old)) || leftOver;

    Removal end = Removal::Removed;
    if (!real.isEmpty()) {
        QString staging = joinPath(parent, retired);
        for (int n = 2; present(staging); ++n)
            staging = joinPath(parent, retired + QString::number(n));
        std::error_code failed;
        std::filesystem::rename(nativePath(real), nativePath(staging), failed);
        invalidate();
        if (failed) {
            why = QString::fromLocal8Bit(failed.message());
            end = Removal::Untouched;
        } else if (!clearOut(staging)) {
            end = Removal::Partly;
        }
    }
    if (end == Removal::Removed && leftOver)
        end = Removal::Partly;
    if (end != Removal::Removed && error)
        *error = why;
    return end;
}

} // namespace kv
