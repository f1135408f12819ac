#include "photos/frm_ssphoto.h"

#include "app/app_context.h"
#include "app/copy_file.h"
#include "app/form1.h"
#include "app/widgets/flood_gauge.h"
#include "app/widgets/picture_view.h"
#include "app/window_helpers.h"
#include "photos/photo_window.h"
#include "photos/saver_buttons.h"
#include "platform/busy_pointer.h"
#include "platform/clipboard/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");

QString comparable(const QString& path)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(path));
}

bool samePath(const QString& a, const QString& b)
{
    return comparable(a).compare(comparable(b), Qt::CaseInsensitive) == 0;
}
} // namespace

void FrmSSPhoto::SSCommand4_Click()
{
    AppContext& c = m_context;
    const QString source = photoWindowSource(c);
    const QString realSource = c.files().resolve(source);
    const QString photoFolder = comparable(joinPath(c.state.PhotoDir, PhotoFolder)) + QLatin1Char('/');
    const QString suggested = joinPath(QDir::homePath(), photoWindowName(c));
    QString chosen;
    for (;;) {
        chosen = c.dialogs().saveFileName(QStringLiteral("Copy Kel-Vardo photo to disk"), suggested,
                                          QStringLiteral("JPG Files (*.jpg);;All Files (*.*)"));
        if (chosen.isEmpty())
            return;
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".jpg");
        if (samePath(chosen, source) || (!realSource.isEmpty() && samePath(chosen, realSource))) {
            c.dialogs().messageBox(
                QStringLiteral("The target file name and location can not be the same as the source file name and location!")
                    + CrLf + CrLf + QStringLiteral("Please choose a different location and/or filename for this photo."),
                Buttons::Ok, Icon::Exclamation, ProductTitle);
            continue;
        }
        if (comparable(chosen).startsWith(photoFolder, Qt::CaseInsensitive)) {
            c.dialogs().messageBox(
                QStringLiteral("The target file directory location can not be the same as the Kel-Vardo Folivra photos!")
                    + CrLf + CrLf + QStringLiteral("Please choose a different location for this photo."),
                Buttons::Ok, Icon::Exclamation, ProductTitle);
            continue;
        }
        break;
    }
    if (!CopyFileWithGauge(c, source, chosen, ProgressGuage))
        return;
    c.dialogs().messageBox(QStringLiteral("Photo copied to: ") + CrLf + CrLf + QDir::toNativeSeparators(chosen),
                           Buttons::Ok, Icon::None, ProductTitle);
}

void FrmSSPhoto::SSCommand3_Click()
{
    IClipboard& clipboard = m_context.clipboard();
    clipboard.clear();
    if (m_context.form1)
        clipboard.setImage(m_context.form1->Image4->image());
}

void FrmSSPhoto::SSCommand5_Click()
{
    PrintPhoto(m_context);
}

void FrmSSPhoto::SSCommand7_Click()
{
    AppContext& c = m_context;
    c.busy().busy();
    RefreshSaverButtons(c); // sets CopyTarget for the shown photo
    const QString target = c.state.CopyTarget;
    // The folder may have gone since the window opened.
    c.files().makeDir(SaverSetFolder(c));
    const bool ok = CopyFileWithGauge(c, photoWindowSource(c), target, ProgressGuage);
    c.busy().normal();
    if (ok)
        c.dialogs().messageBox(QStringLiteral("Photo Successfully Copied!"), Buttons::Ok, Icon::Exclamation,
                               ProductTitle);
    // From what is on disk, so that a failed copy does not offer to remove a photo not there.
    RefreshSaverButtons(c);
}

void FrmSSPhoto::SSCommand8_Click()
{
    AppContext& c = m_context;
    c.busy().busy();
    RefreshSaverButtons(c);
    const QString target = c.state.CopyTarget;
    c.files().removeFile(target);
    c.busy().normal();
    if (c.files().exists(target))
        c.dialogs().messageBox(QStringLiteral("Unable to remove this photo from the SS list.") + CrLf + CrLf
                                   + QDir::toNativeSeparators(target),
                               Buttons::Ok, Icon::Critical, ProductTitle);
    else
        c.dialogs().messageBox(QStringLiteral("Photo Successfully Removed!"), Buttons::Ok, Icon::Exclamation,
                               ProductTitle);
    RefreshSaverButtons(c);
    ProgressGuage->setFloodPercent(0);
}

void FrmSSPhoto::SSCommand2_Click()
{
    AppContext& c = m_context;
    const int answer = c.dialogs().messageBox(QStringLiteral("Would you like to remove all photos from the Kel-Vardo")
                                                  + QStringLiteral(" Folivra Screen Saver list?"),
                                              Buttons::YesNo, Icon::Question, ProductTitle);
    c.state.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Yes)
        return;
    c.busy().busy();
    c.files().removeMatching(SaverSetFolder(c), QStringLiteral("*.jpg"));
    c.busy().normal();
    c.dialogs().messageBox(QStringLiteral("All Photos Successfully Removed!") + CrLf + CrLf
                               + QStringLiteral("You must re-install The Kel-Vardo Folivra Screen Saver ") + CrLf
                               + QStringLiteral("if you have previously installed it to play Selected Photos."),
                           Buttons::Ok, Icon::None, ProductTitle);
    SSCommand7->setEnabled(true);
    SSCommand8->setEnabled(false);
    SSCommand2->setEnabled(false);
    ProgressGuage->setFloodPercent(0);
}

void FrmSSPhoto::SSCommand1_Click()
{
    const QString text = QStringLiteral("Use this form to add or remove Kel-Vardo photos from the") + CrLf
        + QStringLiteral("Kel-Vardo Folivra Screen Saver play list. Pick and choose") + CrLf
        + QStringLiteral("whatever photos that you would like to include.") + CrLf + CrLf
        + QStringLiteral("Select the Install Screen Saver option under the File menu") + CrLf
        + QStringLiteral("to configure the Screen Saver to recognize selected photos.") + CrLf + CrLf
        + QStringLiteral("If you remove all photos, remember to re-install the ") + CrLf
        + QStringLiteral("Screen Saver and choose the Select All Photos option.");
    m_context.dialogs().messageBox(text, Buttons::Ok, Icon::None, ProductTitle);
}

void FrmSSPhoto::SSCommand9_Click()
{
    SetTopmost(this, false);
    close();
}

} // namespace kv
