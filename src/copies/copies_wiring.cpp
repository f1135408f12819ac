#include "copies/copies_wiring.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "copies/copy_panel.h"
#include "copies/copy_routines.h"

#include <QAction>
#include <QPushButton>

namespace kv {

void wireCopies(AppContext& c)
{
    Form1& f = *c.form1;
    QObject::connect(f.mnuCopy, &QAction::triggered, &f, [&c] { mnuCopy_Click(c); });
    QObject::connect(f.mnuCopyMovies, &QAction::triggered, &f, [&c] { mnuCopyMovies_Click(c); });
    QObject::connect(f.mnuRemove, &QAction::triggered, &f, [&c] { mnuRemove_Click(c); });
    QObject::connect(f.mnuRemoveMovies, &QAction::triggered, &f, [&c] { mnuRemoveMovies_Click(c); });
    CopyPanel& p = copyPanel(c);
    QObject::connect(p.cmdCopy, &QPushButton::clicked, &p, [&c] { cmdCopy_Click(c); });
    QObject::connect(p.cmdCancel, &QPushButton::clicked, &p, [&c] { cmdCancel_Click(c); });
}

} // namespace kv
