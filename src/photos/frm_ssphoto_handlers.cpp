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
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace kv {

namespace {
const QString CrLf = QStringLiteral("\r\n");

// While a copy runs the window's events still run: its actions wait, so that a second click
// cannot start a second copy. Help and Exit stay (closing the window stops the copy).
class ActionsHeld
{
public:
    explicit ActionsHeld(FrmSSPhoto& w)
        : m_window(&w)
    {
        for (QPushButton* b : {w.SSCommand4, w.SSCommand3, w.SSCommand5, w.SSCommand7, w.SSCommand8, w.SSCommand2}) {
            if (b->isEnabled()) {
                b->setEnabled(false);
                m_held.append(b);
            }
        }
    }
    ~ActionsHeld() { release(); }
    void release()
    {
        if (!m_window)
            return;
        for (const QPointer<QPushButton>& b : m_held) {
            if (b)
                b->setEnabled(true);
        }
        m_held.clear();
    }
    ActionsHeld(const ActionsHeld&) = delete;
    ActionsHeld& operator=(const ActionsHeld&) = delete;

private:
    QPointer<FrmSSPhoto> m_window;
    QList<QPointer<QPushButton>> m_held;
};
} // namespace

// Every box below may run events while it is open, and another window's action may close
// this one meanwhile: after each, `self` says whether the window is still there.

void FrmSSPhoto::SSCommand4_Click()
{
    AppContext& c = m_context;
    QPointer<FrmSSPhoto> self(this);
    DialogOwner owner(c.dialogs(), this);
    IFileSystem& files = c.files();
    const QString source = photoWindowSource(c);
    const QString suggested = joinPath(files.homeDir(), photoWindowName(c));
    QString chosen;
    for (;;) {
        chosen = c.dialogs().saveFileName(QStringLiteral("Copy Kel-Vardo photo to disk"), suggested,
                                          QStringLiteral("JPG Files (*.jpg);;All Files (*.*)"), QStringLiteral("jpg"));
        if (!self || chosen.isEmpty())
            return;
        // Compared as files: another spelling, letter case or a link names the same photo.
        if (files.sameFile(chosen, source)) {
            c.dialogs().messageBox(
                QStringLiteral("The target file name and location can not be the same as the source file name and location!")
                    + CrLf + CrLf + QStringLiteral("Please choose a different location and/or filename for this photo."),
                Buttons::Ok, Icon::Exclamation, ProductTitle);
            if (!self)
                return;
            continue;
        }
        if (files.isInside(chosen, joinPath(c.state.PhotoDir, PhotoFolder))
            || files.isInside(chosen, joinPath(c.state.CdDrive, PhotoFolder))) {
            c.dialogs().messageBox(
                QStringLiteral("The target file directory location can not be the same as the Kel-Vardo Folivra photos!")
                    + CrLf + CrLf + QStringLiteral("Please choose a different location for this photo."),
                Buttons::Ok, Icon::Exclamation, ProductTitle);
            if (!self)
                return;
            continue;
        }
        break;
    }
    auto held = std::make_shared<ActionsHeld>(*this);
    CopyFileWithGauge(c, source, chosen, ProgressGuage, [this, held, chosen](bool copied) {
        held->release();
        if (!copied)
            return;
        DialogOwner box(m_context.dialogs(), this);
        m_context.dialogs().messageBox(QStringLiteral("Photo copied to: ") + CrLf + CrLf
                                           + QDir::toNativeSeparators(chosen),
                                       Buttons::Ok, Icon::None, ProductTitle);
    });
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
    DialogOwner owner(m_context.dialogs(), this);
    PrintPhoto(m_context);
}

void FrmSSPhoto::SSCommand7_Click()
{
    AppContext& c = m_context;
    DialogOwner owner(c.dialogs(), this);
    c.busy().busy();
    RefreshSaverButtons(c); // sets CopyTarget for the shown photo
    const QString target = c.state.CopyTarget;
    // The folder may have gone since the window opened.
    c.files().makeDir(SaverSetFolder(c));
    auto held = std::make_shared<ActionsHeld>(*this);
    CopyFileWithGauge(c, photoWindowSource(c), target, ProgressGuage, [this, held](bool ok) {
        held->release();
        AppContext& ctx = m_context;
        ctx.busy().normal();
        DialogOwner box(ctx.dialogs(), this);
        if (ok)
            ctx.dialogs().messageBox(QStringLiteral("Photo Successfully Copied!"), Buttons::Ok, Icon::Exclamation,
                                     ProductTitle);
        // From what is on disk, so that a failed copy does not offer to remove a photo not there.
        RefreshSaverButtons(ctx);
    });
}

void FrmSSPhoto::SSCommand8_Click()
{
    AppContext& c = m_context;
    QPointer<FrmSSPhoto> self(this);
    DialogOwner owner(c.dialogs(), this);
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
    if (!self)
        return;
    RefreshSaverButtons(c);
    ProgressGuage->setFloodPercent(0);
}

void FrmSSPhoto::SSCommand2_Click()
{
    AppContext& c = m_context;
    QPointer<FrmSSPhoto> self(this);
    DialogOwner owner(c.dialogs(), this);
    const int answer = c.dialogs().messageBox(QStringLiteral("Would you like to remove all photos from the Kel-Vardo")
                                                  + QStringLiteral(" Folivra Screen Saver list?"),
                                              Buttons::YesNo, Icon::Question, ProductTitle);
    c.state.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (!self || answer != Yes)
        return;
    c.busy().busy();
    QString why;
    const int removed = c.files().removeMatching(SaverSetFolder(c), QStringLiteral("*.jpg"), &why);
    c.busy().normal();
    if (removed < 0)
        c.dialogs().messageBox(QStringLiteral("Unable to remove all photos from the SS list.") + CrLf + CrLf + why,
                               Buttons::Ok, Icon::Critical, ProductTitle);
    else
        c.dialogs().messageBox(QStringLiteral("All Photos Successfully Removed!") + CrLf + CrLf
                                   + QStringLiteral("You must re-install The Kel-Vardo Folivra Screen Saver ") + CrLf
                                   + QStringLiteral("if you have previously installed it to play Selected Photos."),
                               Buttons::Ok, Icon::None, ProductTitle);
    if (!self)
        return;
    // The buttons say what is on disk: after a failure some photos are still in the set.
    RefreshSaverButtons(c);
    SSCommand2->setEnabled(removed < 0 && !c.files().list(SaverSetFolder(c), QStringLiteral("*.jpg")).isEmpty());
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
    DialogOwner owner(m_context.dialogs(), this);
    m_context.dialogs().messageBox(text, Buttons::Ok, Icon::None, ProductTitle);
}

void FrmSSPhoto::SSCommand9_Click()
{
    SetTopmost(this, false);
    close();
}

} // namespace kv
