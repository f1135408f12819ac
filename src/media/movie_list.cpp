#include "media/movie_list.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "media/frm_movie.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/media_device.h"

namespace kv {

namespace {
const QString AviPattern = QStringLiteral("*.avi");
} // namespace

void BuildMovieList(AppContext& c)
{
    AppState& s = c.state;
    s.ErrCode = QStringLiteral("ER055");
    const QString dir = joinPath(s.CdDrive, MovieFolder);
    while (!c.files().canList(dir)) {
        if (ErrorReporter(c, Failure::Caught) != Retry || c.ended)
            break;
        c.files().invalidate();
    }
    // Names as the folder gives them; an empty folder leaves nothing behind for a copy to walk.
    const QStringList names = c.files().list(dir, AviPattern);
    s.MovieList.assign(names);
    s.MovieCount = static_cast<std::int16_t>(names.size());
}

void SetMovieDir(AppContext& c)
{
    AppState& s = c.state;
    const QString local = joinPath(c.files().dataDir(), MovieFolder);
    const bool hasLocal = c.files().canList(local) && !c.files().list(local, AviPattern).isEmpty();
    s.MovieDir = hasLocal ? local : joinPath(s.CdDrive, MovieFolder);
    if (!s.MovieDir.endsWith(QLatin1Char('/')))
        s.MovieDir += QLatin1Char('/');
}

void prepareMovies(AppContext& c)
{
    SetMovieDir(c);
    c.media().prepare(c.files().resolve(c.state.MovieDir + movieTable()[0].file));
}

} // namespace kv
