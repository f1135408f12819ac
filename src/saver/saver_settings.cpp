#include "saver/saver_settings.h"

#include "platform/file_system.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kv {

std::int32_t saverIntervalMs(const QString& text, QString* note)
{
    auto say = [note](const QString& what) {
        if (note)
            *note = what;
    };
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        say(QStringLiteral("no \"Interval\" set; using %1 seconds").arg(SaverDefaultIntervalMs / 1000));
        return SaverDefaultIntervalMs;
    }
    bool ok = false;
    const double seconds = trimmed.toDouble(&ok);
    if (!ok || std::isnan(seconds)) {
        say(QStringLiteral("\"Interval\" \"%1\" is not a number; using %2 seconds")
                .arg(trimmed)
                .arg(SaverDefaultIntervalMs / 1000));
        return SaverDefaultIntervalMs;
    }
    const double ms = std::clamp(seconds * 1000.0, double(SaverMinIntervalMs), double(SaverMaxIntervalMs));
    const auto result = std::int32_t(std::lround(ms));
    if (ms != seconds * 1000.0)
        say(QStringLiteral("\"Interval\" %1 is out of range; using %2 seconds").arg(trimmed).arg(result / 1000));
    return result;
}

QString saverLocalFolder(const QString& stored, IFileSystem& files, QString* problem)
{
    QString path = stored.trimmed();
    if (path.isEmpty()) {
        *problem = QStringLiteral("no photo folder set (\"KelVardosDir\" in section \"Settings\" of \"%1\"); "
                                  "install the screen saver from The Kel-Vardo Folivra first")
                       .arg(SaverAppName);
        return {};
    }
#ifndef Q_OS_WIN
    if (path.startsWith(QLatin1String("\\\\"))) {
        *problem = QStringLiteral("the photo folder %1 is a Windows network path, which cannot be opened here")
                       .arg(stored);
        return {};
    }
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A drive letter names a volume of the drive table; a letter with no volume cannot be guessed.
    if (path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter()) {
        const QChar letter = path.at(0).toUpper();
        const QString root = files.driveRoot(letter);
        if (root.isEmpty()) {
            *problem = QStringLiteral("the photo folder %1 is on drive %2:, which has no mounted volume here")
                           .arg(stored, letter);
            return {};
        }
        path = joinPath(root, path.mid(2));
    }
#endif
    path = QDir::fromNativeSeparators(path);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString real = files.resolve(path);
    if (real.isEmpty() || !QFileInfo(real).isDir()) {
        *problem = QStringLiteral("the photo folder %1 does not exist").arg(QDir::toNativeSeparators(path));
        return {};
    }
    return real;
}

SaverSettings readSaverSettings(ISettingsStore& settings, IFileSystem& files)
{
    SaverSettings s;
    QString note;
    s.intervalMs = saverIntervalMs(settings.value(SaverAppName, SaverSection, QStringLiteral("Interval")), &note);
    if (!note.isEmpty())
        s.notes.append(note);
    s.folder = saverLocalFolder(settings.value(SaverAppName, SaverSection, QStringLiteral("KelVardosDir")), files,
                                &s.problem);
    return s;
}

QStringList saverPhotos(IFileSystem& files, const QString& folder)
{
    QStringList names = files.list(folder, QStringLiteral("*.jpg")) + files.list(folder, QStringLiteral("*.jpeg"));
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& n : names)
        paths.append(joinPath(folder, n));
    return paths;
}

} // namespace kv
