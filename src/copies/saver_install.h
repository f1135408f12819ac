#pragma once

#include "copies/saver_panel.h"
#include "platform/xscreensaver_list.h"

#include <QString>

namespace kv {

struct AppContext;

// File > "Install Screen saver": the panel, shown with a delay of one second.
void mnuSaver_Click(AppContext& c);
void SpinInterval_SpinUp(AppContext& c);
void SpinInterval_SpinDown(AppContext& c);
// Install: settings, the saver program into the system folder, the activation steps. When the
// photos are to be copied first, the rest runs once the copy panel's turn is over.
void InstallSaver(AppContext& c);
// Cancel, or Exit after an installation.
void SSCommand6_Click(AppContext& c);

// Folders the saver can be given, as written to the settings: native separators and a
// trailing one.
QString selectedPhotosFolder(AppContext& c);
QString localPhotosFolder(AppContext& c);
QString discPhotosFolder(AppContext& c);

// How the installed saver is activated: the Windows steps, or xscreensaver's after Install has
// tried to add it to xscreensaver's list.
struct SaverActivation
{
    bool windows = false;
    QString program; // the installed saver, as the user writes it
    XScreenSaverAddition list;
};

// The message shown after an installation.
QString saverInstalledMessage(const SaverActivation& how);

// Connects the File menu entry and the panel's controls; `showHelp` opens the panel's help.
void wireSaverPanel(AppContext& c, PhotoCopyStarter copyPhotos, void (*showHelp)(AppContext&));

} // namespace kv
