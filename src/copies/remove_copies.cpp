#include "copies/copy_routines.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/window_helpers.h"
#include "copies/disc_guard.h"
#include "media/movie_list.h"
#include "photos/photo_list.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QDir>

#include <functional>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");

void reportRemovalFailure(AppContext& c, const QString& what, const QString& folder, const QString& why,
                          bool fromDisc)
{
    c.state.MsgText = QStringLiteral("Unable to remove the Kel-Vardo Folivra ") + what
        + QStringLiteral(" from your hard drive.") + CrLf + CrLf + why + CrLf + CrLf
        + QDir::toNativeSeparators(folder);
    if (fromDisc)
        c.state.MsgText += CrLf + CrLf + QStringLiteral("The ") + what + QStringLiteral(" will be read from the CD-ROM.");
    c.dialogs().messageBox(c.state.MsgText, Buttons::Ok, Icon::Critical, ProductTitle);
}
} // namespace

namespace {
// The question, then the removal under the busy pointer. False, with a failure reported, when
// not every copy was removed; the busy pointer is still on when it returns true. A removal cut
// short has taken the copies out of use all the same: `fromDisc` runs before the report then.
bool confirmAndRemove(AppContext& c, const QString& what, const QString& folderName, const QString& folder,
                      const QString& pattern, const std::function<void()>& fromDisc = {})
{
    closePhotoWindow(c);
    if (refuseOnDiscFolder(c, what, folderName))
        return false;
    const int answer = c.dialogs().messageBox(QStringLiteral("Would you like to remove all Kel-Vardo Folivra ") + what
                                                  + QStringLiteral(" from your hard drive?"),
                                              Buttons::YesNo, Icon::Question, ProductTitle);
    c.state.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Yes)
        return false;
    c.busy().busy();
    QString why;
    c.state.CopyTarget = folder + pattern;
    const IFileSystem::Removal end = c.files().removeCopies(folder, pattern, &why);
    if (end == IFileSystem::Removal::Removed)
        return true;
    // Untouched: the copies are still whole and still read. Either way the program goes on.
    const bool partly = end == IFileSystem::Removal::Partly;
    if (partly && fromDisc)
        fromDisc();
    c.busy().normal();
    reportRemovalFailure(c, what, folder, why, partly);
    return false;
}
} // namespace

void mnuRemove_Click(AppContext& c)
{
    AppState& s = c.state;
    const auto readDisc = [&c] {
        c.state.PhotoDir = c.state.CdDrive;
        BuildPhotoList(c);
    };
    if (!confirmAndRemove(c, QStringLiteral("photos"), PhotoFolder, localPhotoFolder(c), QStringLiteral("*.jpg"),
                          readDisc))
        return;
    c.busy().normal();
    s.PhotoDir = s.CdDrive;
    s.MsgText = QStringLiteral("All Photos Successfully Removed!") + CrLf + CrLf
        + QStringLiteral("You must now exit and re-enter the Kel-Vardo Folivra to allow ") + CrLf
        + QStringLiteral("the software to find the photos on the cdrom drive.") + CrLf + CrLf
        + QStringLiteral("You must also re-install the Kel-Vardo Folivra Screen Saver ") + CrLf
        + QStringLiteral("if you have previously installed it.");
    c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::None, ProductTitle);
    if (c.form1)
        c.form1->close();
}

void mnuRemoveMovies_Click(AppContext& c)
{
    AppState& s = c.state;
    if (!confirmAndRemove(c, QStringLiteral("movies"), MovieFolder, localMovieFolder(c), QStringLiteral("*.avi")))
        return;
    s.MsgText = QStringLiteral("All movies successfully removed!");
    c.dialogs().messageBox(s.MsgText, Buttons::Ok, Icon::None, ProductTitle);
    c.busy().normal();
}

} // namespace kv
