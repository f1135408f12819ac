#include "copies/copies_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "copies/copy_panel.h"
#include "copies/copy_routines.h"
#include "copies/saver_install.h"

#include <QAction>
#include <QPushButton>

#include <memory>

namespace kv {

namespace {

// "Copy the photos first" for the saver installer: one turn of the copy panel.
void copyPhotosForSaver(AppContext& c, std::function<void(PhotoCopyEnd)> done)
{
    c.state.CopyingPhotos = true;
    if (!ShowCopyPanel(c)) {
        done(PhotoCopyEnd::Refused);
        return;
    }
    CopyPanel& p = copyPanel(c);
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(&p, &CopyPanel::copyEnded, &p, [once, done](CopyOutcome outcome) {
        QObject::disconnect(*once);
        // The program is closing: nothing more to install.
        if (outcome == CopyOutcome::Stopped)
            return;
        // Only a whole copy is given to the saver; otherwise it keeps to the disc.
        done(outcome == CopyOutcome::Copied ? PhotoCopyEnd::Finished : PhotoCopyEnd::Cancelled);
    });
}

} // namespace

void wireCopies(AppContext& c, void (*showSaverHelp)(AppContext&))
{
    Form1& f = *c.form1;
    QObject::connect(f.mnuCopy, &QAction::triggered, &f, [&c] { mnuCopy_Click(c); });
    QObject::connect(f.mnuCopyMovies, &QAction::triggered, &f, [&c] { mnuCopyMovies_Click(c); });
    QObject::connect(f.mnuRemove, &QAction::triggered, &f, [&c] { mnuRemove_Click(c); });
    QObject::connect(f.mnuRemoveMovies, &QAction::triggered, &f, [&c] { mnuRemoveMovies_Click(c); });
    CopyPanel& p = copyPanel(c);
    QObject::connect(p.cmdCopy, &QPushButton::clicked, &p, [&c] { cmdCopy_Click(c); });
    QObject::connect(p.cmdCancel, &QPushButton::clicked, &p, [&c] { cmdCancel_Click(c); });
    wireSaverPanel(c, copyPhotosForSaver, showSaverHelp);
}

} // namespace kv
