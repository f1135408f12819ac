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

void OfferVideoSoftware(AppContext& c, std::function<void(bool installed)> then)
{
    AppState& s = c.state;
    s.MsgText = QStringLiteral("If you are experiencing difficulties running the Kel-Vardo movies,") + CrLf
        + QStringLiteral("you may need to install the Intel Indeo Video Software.") + CrLf + CrLf
        + QStringLiteral("Would you like to install this software now?");
    const int answer = c.dialogs().messageBox(s.MsgText, Buttons::YesNo, Icon::Question);
    s.MsgAnswer = QString::number(answer);
    if (answer != Yes) {
        if (then)
            then(false);
        return;
    }
    s.ErrCode = QStringLiteral("ER003");
    const QString path = joinPath(s.CdDrive, InstallerPath);
    const QString found = c.files().resolve(path);
    auto ended = [&c, then = std::move(then)](bool ran) {
        if (c.form1)
            c.form1->setEnabled(true);
        if (!ran)
            ErrorReporter(c, Failure::Caught);
        if (then)
            then(ran);
    };
    if (found.isEmpty()) {
        ended(false);
        return;
    }
    // The main window waits for the installer.
    if (c.form1)
        c.form1->setEnabled(false);
    RunProgram(c, QLatin1Char('"') + found + QLatin1Char('"'), std::move(ended));
}

void mnuVideo_Click(AppContext& c)
{
    closePhotoWindow(c);
    OfferVideoSoftware(c, {});
}

} // namespace kv
