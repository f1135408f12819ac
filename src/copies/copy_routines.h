#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace kv {

struct AppContext;

// Where the local copies go: the program's folder with "/Murvos/" or "/movies/".
QString localPhotoFolder(AppContext& c);
QString localMovieFolder(AppContext& c);

// Prepares and shows the copy panel for the kind in CopyingPhotos. False when it refused for
// lack of space (the message has been shown); the panel then stays hidden.
bool ShowCopyPanel(AppContext& c);
// Free and total space, in units of 1024 bytes, of the volume the copies are written to;
// `drive` becomes the folder measured. False (and both 0) when the volume cannot be asked.
bool GetDiskSpace(AppContext& c, std::int64_t& total, std::int64_t& free, QString& drive);
// Makes `folder`, or asks whether to copy again when it is there; sets CopyDeclined.
void AskCopyAgain(AppContext& c, const QString& folder);
// How a copy of all photos or all movies ended. Only a complete copy is left in the local
// folder; anything else leaves it as it was (or leaves none).
enum class CopyEnd {
    Complete,
    Incomplete, // files failed (each reported), or the disk was full (reported once)
    Stopped,    // the program is closing: nothing reported
};
// Each starts the copy and returns; `then` follows its end.
void CopyAllPhotos(AppContext& c, std::function<void(CopyEnd)> then);
void CopyAllMovies(AppContext& c, std::function<void(CopyEnd)> then);
// CopySource to CopyTarget with both panel gauges; `then(false)` when the copy failed
// (reported) or was stopped.
void CopyFileWithProgress(AppContext& c, std::function<void(bool copied)> then);

// "###,###,###": groups of three digits, nothing for zero.
QString formatBytes(std::int64_t bytes);

void mnuCopy_Click(AppContext& c);
void mnuCopyMovies_Click(AppContext& c);
void mnuRemove_Click(AppContext& c);
void mnuRemoveMovies_Click(AppContext& c);
void cmdCopy_Click(AppContext& c);
void cmdCancel_Click(AppContext& c);

} // namespace kv
