#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kv {

class IFileSystem;
class ISettingsStore;

// Where the title's installer leaves the saver's two settings.
inline const QString SaverAppName = QStringLiteral("SCRNSAVE: The Kel-Vardo Folivra");
inline const QString SaverSection = QStringLiteral("Settings");

inline constexpr std::int32_t SaverMinIntervalMs = 1000;
inline constexpr std::int32_t SaverMaxIntervalMs = 3600 * 1000;
inline constexpr std::int32_t SaverDefaultIntervalMs = 5000;

struct SaverSettings
{
    std::int32_t intervalMs = SaverDefaultIntervalMs;
    QString folder;   // an existing local folder, "/"-separated
    QString problem;  // why no photo can be shown; empty when the folder is usable
    QStringList notes; // values that were adjusted, for standard error
};

// "Interval" in seconds as stored, turned into a delay of 1 s to 1 h. An unreadable value gives
// the default; `note` says what was done when the text was not a plain sane number.
std::int32_t saverIntervalMs(const QString& text, QString* note = nullptr);

// "KelVardosDir" as a local folder: back-slashes become "/", a drive letter becomes the root
// of that drive in the file system's drive table. Empty with `problem` set when it cannot be.
QString saverLocalFolder(const QString& stored, IFileSystem& files, QString* problem);

SaverSettings readSaverSettings(ISettingsStore& settings, IFileSystem& files);

// The JPEG photos of `folder` as full paths, in name order ignoring case.
QStringList saverPhotos(IFileSystem& files, const QString& folder);

} // namespace kv
