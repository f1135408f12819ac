#include "media/video_software.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/window_helpers.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");
const QString InstallerPath = QStringLiteral("/IndeoVideo/iv5play.exe");
} // namespace

bool OfferVideoSoftware(AppContext& c)
{
    AppState& s = c.state;
    s.MsgText = QStringLiteral("If you are experiencing difficulties running the Kel-Vardo movies,") + CrLf
        + QStringLiteral("you may need to install the Intel Indeo Video Software.") + CrLf + CrLf
        + QStringLiteral("Would you like to install this software now?");
    const int answer = c.dialogs().messageBox(s.MsgText, Buttons::YesNo, Icon::Question);
    s.MsgAnswer = QString::number(answer);
    if (answer != Yes)
        return false;
    s.ErrCode = QStringLiteral("ER003");
    const QString path = joinPath(s.CdDrive, InstallerPath);
    const QString found = c.files().resolve(path);
    if (c.form1)
        c.form1->setEnabled(false);
    const bool ran = !found.isEmpty() && RunAndWait(c, QLatin1Char('"') + found + QLatin1Char('"'));
    if (c.form1)
        c.form1->setEnabled(true);
    if (!ran) {
        ErrorReporter(c, Failure::Caught);
        return false;
    }
    return true;
}

void mnuVideo_Click(AppContext& c)
{
    closePhotoWindow(c);
    OfferVideoSoftware(c);
}

} // namespace kv
