#include "copies/disc_guard.h"

#include "app/app_context.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
}

bool refuseOnDiscFolder(AppContext& c, const QString& what, const QString& folder)
{
    // Compared as files, not as names: a link or another spelling names the same folder.
    IFileSystem& files = c.files();
    const QString program = files.dataDir();
    const QString disc = c.state.CdDrive;
    if (!files.sameFile(program, disc) && !files.sameFile(joinPath(program, folder), joinPath(disc, folder)))
        return false;
    c.state.MsgText = QStringLiteral("The Kel-Vardo Folivra is running from its own folder, which holds the ")
        + what + QStringLiteral(" already.") + CrLf + CrLf
        + QStringLiteral("There is nothing to copy or remove.");
    c.dialogs().messageBox(c.state.MsgText, Buttons::Ok, Icon::Exclamation, ProductTitle);
    return true;
}

} // namespace kv
