#include "media/media_wiring.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "media/frm_movie.h"
#include "media/sound_panels.h"
#include "media/video_software.h"
#include "platform/media_device.h"

#include <QAction>

namespace kv {

namespace {
// Our panel takes the place (and the name) of the main window's placeholder.
template <typename Panel>
void replacePanel(AppContext& c, QFrame*& slot)
{
    if (qobject_cast<Panel*>(slot))
        return;
    auto* panel = new Panel(c, c.form1->stage);
    delete slot;
    slot = panel;
}
} // namespace

void wireMedia(AppContext& c)
{
    Form1& f = *c.form1;
    replacePanel<SoundEffectsPanel>(c, f.pnlSound);
    replacePanel<SongsPanel>(c, f.ssPnlSongs);

    QObject::connect(f.mnuSound, &QAction::triggered, &f, [&c] { mnuSound_Click(c); });
    QObject::connect(f.mnuUSA, &QAction::triggered, &f, [&c] { mnuUSA_Click(c); });
    QObject::connect(f.mnuMovies, &QAction::triggered, &f, [&c] { mnuMovies_Click(c); });
    QObject::connect(f.mnuVideo, &QAction::triggered, &f, [&c] { mnuVideo_Click(c); });

    // A sound that turns out unplayable once it has started loading.
    if (f.MMControl1) {
        f.MMControl1->onError = [&c](const QString&) {
            c.state.ErrCode = QStringLiteral("ER038");
            ErrorReporter(c, Failure::Caught);
        };
    }
}

} // namespace kv
