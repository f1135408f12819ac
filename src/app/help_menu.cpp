#include "app/help_menu.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/frm_about.h"
#include "app/help.h"
#include "app/window_helpers.h"
#include "platform/shell.h"

#include <QAction>
#include <QKeySequence>
#include <QPointer>

namespace kv {

namespace {
void openMakerPage(AppContext& c, const QString& url)
{
    closePhotoWindow(c);
    c.shell().openUrl(url);
}
} // namespace

void mnuContents_Click(AppContext& c)
{
    closePhotoWindow(c);
    showHelpContents(c, c.form1);
}

void mnuAbout_Click(AppContext& c)
{
    closePhotoWindow(c);
    QPointer<FrmAbout> about = new FrmAbout(c, c.form1);
    about->exec();
    // The main window may have taken the box with it while it was open.
    delete about.data();
}

void mnuorvanta_Click(AppContext& c)
{
    openMakerPage(c, makerWebSite());
}

void mnuRegisterOL_Click(AppContext& c)
{
    openMakerPage(c, registrationPage());
}

void wireHelpMenu(AppContext& c)
{
    Form1& f = *c.form1;
    c.helpFile = helpFilePath(c);
    f.mnuContents->setShortcut(QKeySequence::HelpContents);
    auto onTrigger = [&c, &f](QAction* action, void (*handler)(AppContext&)) {
        QObject::connect(action, &QAction::triggered, &f, [&c, handler] { handler(c); });
    };
    onTrigger(f.mnuContents, mnuContents_Click);
    onTrigger(f.mnuAbout, mnuAbout_Click);
    onTrigger(f.mnuorvanta, mnuorvanta_Click);
    onTrigger(f.mnuRegisterOL, mnuRegisterOL_Click);
}

} // namespace kv
