#include "browse/artwork_panels.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/topics.h"
#include "browse/page_files.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "browse/artwork_hooks.h"
#include "platform/clipboard/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

#include <QFrame>

namespace kv {

namespace {
// Loads a picture into a panel sized to it; never larger than the photo it lies over.
bool loadPanel(AppContext& c, PictureView* panel, const QString& path)
{
    const QString real = c.files().resolve(path);
    const QImage picture = real.isEmpty() ? QImage() : loadImage(real, c.form1->Image4->size());
    if (picture.isNull())
        return false;
    panel->setImage(picture);
    panel->resize(picture.size());
    return true;
}

void placeClipArt(Form1& f)
{
    f.picClipArt->move(f.Image4->width() - f.picClipArt->width() + 6, f.Image4->y());
}

void placeScript(Form1& f)
{
    f.picScript->move(f.Image4->x() + 1, f.Image4->y() + 25);
}

void placeEmblem(Form1& f)
{
    f.picEmblem->move(f.Image4->width() - f.picEmblem->width() + 9, f.Frame1->y() - f.picEmblem->height() - 1);
}

void showOnTop(PictureView* panel)
{
    panel->raise();
    panel->show();
}
} // namespace

// A topic's own artwork where its row names it, else the file named by the caption's digits.
QString artworkPath(const AppContext& c, QString TopicFiles::*own, const QString& folder, const QString& prefix)
{
    const TopicChoice& y = c.state.Selection;
    if (const Topic* row = y.topic(); row && !(row->files.*own).isEmpty())
        return joinPath(c.state.CdDrive, row->files.*own);
    return joinPath(c.state.CdDrive, folder, prefix + y.digits() + QStringLiteral(".jpg"));
}

QString scriptPath(const AppContext& c)
{
    return artworkPath(c, &TopicFiles::script, QStringLiteral("/scripts/"), QStringLiteral("scri"));
}

QString emblemPath(const AppContext& c)
{
    return artworkPath(c, &TopicFiles::emblem, QStringLiteral("/emblems/"), QStringLiteral("emb"));
}

QString clipArtPath(const AppContext& c)
{
    return joinPath(c.state.CdDrive, QStringLiteral("/ClipArt/"), QStringLiteral("19") + selectedCode(c) + QStringLiteral(".jpg"));
}

void cmdClipArt_Click(AppContext& c)
{
    Form1& f = *c.form1;
    if (!f.picClipArt->isHidden()) {
        f.picClipArt->hide();
        return;
    }
    const TopicChoice& y = c.state.Selection;
    if (y.isNone())
        return;
    FocusNextYearButton(c);
    c.state.TopicCode = y.digits();
    c.state.ErrCode = QStringLiteral("ER035");
    if (!loadPanel(c, f.picClipArt, clipArtPath(c))) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    placeClipArt(f);
    showOnTop(f.picClipArt);
}

void cmdScript_Click(AppContext& c)
{
    if (c.state.Selection.isNone())
        return;
    if (!c.form1->picScript->isHidden())
        c.form1->picScript->hide();
    else
        LoadScript(c);
    FocusNextYearButton(c);
}

void cmdEmblem_Click(AppContext& c)
{
    if (c.state.Selection.isNone())
        return;
    if (!c.form1->picEmblem->isHidden())
        c.form1->picEmblem->hide();
    else
        LoadEmblem(c);
    FocusNextYearButton(c);
}

void LoadScript(AppContext& c)
{
    Form1& f = *c.form1;
    c.state.ErrCode = QStringLiteral("ER021");
    f.picScript->hide();
    if (!loadPanel(c, f.picScript, scriptPath(c))) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    placeScript(f);
    showOnTop(f.picScript);
}

void LoadEmblem(AppContext& c)
{
    Form1& f = *c.form1;
    f.picEmblem->hide();
    c.state.ErrCode = QStringLiteral("ER022");
    if (!loadPanel(c, f.picEmblem, emblemPath(c))) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    placeEmblem(f);
    showOnTop(f.picEmblem);
}

void RefreshClipArt(AppContext& c)
{
    Form1& f = *c.form1;
    c.state.ErrCode = QStringLiteral("ER024");
    if (!loadPanel(c, f.picClipArt, clipArtPath(c))) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    placeClipArt(f);
}

void ReloadVisibleArtwork(AppContext& c)
{
    Form1& f = *c.form1;
    if (!f.picClipArt->isHidden())
        RefreshClipArt(c);
    if (!f.picScript->isHidden())
        LoadScript(c);
    if (!f.picEmblem->isHidden())
        LoadEmblem(c);
}

void artworkPanel_MouseDown(AppContext& c, PictureView* panel, Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        panel->hide();
        FocusNextYearButton(c);
        return;
    }
    if (button != Qt::RightButton)
        return;
    // The question speaks of the pressed panel, so the pressed panel is what gets copied.
    panel->setFocus(Qt::MouseFocusReason);
    const int answer = c.dialogs().messageBox(
        QStringLiteral("Would you like to copy this image to the Windows Clipboard?"), Buttons::YesNo,
        Icon::Question, ProductTitle);
    c.state.QuestionAnswer = static_cast<std::int16_t>(answer);
    if (answer != Yes)
        return;
    c.clipboard().clear();
    c.clipboard().setImage(panel->image());
}

} // namespace kv
