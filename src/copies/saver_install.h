#pragma once

#include "copies/saver_panel.h"

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

// The message shown after an installation. The Windows steps name Windows' own dialogs; other
// desktops get steps for theirs.
QString saverInstalledMessage(bool windowsSteps, const QString& installedProgram);

// Connects the File menu entry and the panel's controls.
void wireSaverPanel(AppContext& c, PhotoCopyStarter copyPhotos);

} // namespace kv
