#pragma once

#include <QString>

namespace kv {

struct AppContext;

// Movies for the copy commands: BuildMovieList fills MovieList/MovieCount from CdDrive + MovieFolder; SetMovieDir picks the local copies (in the data folder) or the disc.
inline const QString MovieFolder = QStringLiteral("/movies/");

// Lists the disc's "*.avi" files into MovieList and MovieCount (0 when there are none).
// A folder that cannot be read is reported as ER055; Retry reads it again.
void BuildMovieList(AppContext& c);

// Sets MovieDir: the "movies" folder where local copies go (the data folder) when it holds any
// "*.avi", else the disc's.
void SetMovieDir(AppContext& c);

// Readies the media back-end and the decoders of the first film, for a quick first Movies.
void prepareMovies(AppContext& c);

} // namespace kv
