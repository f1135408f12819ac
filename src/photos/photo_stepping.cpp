#include "photos/photo_stepping.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/rich_text.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "photos/photo_list.h"
#include "photos/saver_buttons.h"
#include "platform/file_system.h"
#include "platform/image_loader.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>

namespace kv {

namespace {
const QString NoChoice = QStringLiteral("panYear");

bool noChoiceYet(AppContext& c)
{
    Form1& f = *c.form1;
    if (f.panYear->text() != NoChoice)
        return false;
    f.cmdYR[1]->setEnabled(true);
    f.focusYearButton(1);
    return true;
}

void focusAfterStep(AppContext& c)
{
    const QString& code = c.state.TopicCode;
    c.form1->focusYearButton(code == QLatin1String("55") ? 2 : code == QLatin1String("56") ? 3 : 1);
}

// Caption text and saver buttons, once the step has shown its photo.
bool finishStep(AppContext& c)
{
    focusAfterStep(c);
    if (c.form1->rtbDetails->isVisible() && !LoadPhotoCaption(c))
        return false;
    RefreshSaverButtons(c);
    return true;
}
} // namespace

bool ShowPhotoEntry(AppContext& c, int position)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    const QString entry = s.PhotoList(position);
    const QString real = c.files().resolve(entry);
    if (real.isEmpty())
        return false;
    const QImage image = loadImage(real, f.Image4->size() * f.devicePixelRatioF());
    if (image.isNull())
        return false;
    f.Image4->setImage(image);
    f.panPhoto->setText(s.PhotoNumbers(position));
    if (s.ShowFileNames)
        f.txtFile->setText(photoFileName(c, entry).left(12));
    s.CurrentPhoto = entry;
    return true;
}

void NextPhoto(AppContext& c)
{
    AppState& s = c.state;
    // A selection with no photo must not send the search round for ever: one wrap at most.
    for (int pass = 0; pass < 3; ++pass) {
        if (noChoiceYet(c))
            return;
        if (s.LastStepPrevious) {
            s.LastStepPrevious = false;
            ++s.PhotoCursor;
        }
        s.LastStepNext = true;
        s.ErrCode = QStringLiteral("ER012");
        for (int k = s.PhotoCursor; k <= s.PhotoCount; ++k) {
            if (photoCode(c, s.PhotoList(k + 1)) != s.TopicCode)
                continue;
            if (s.SkipFirstMatch) {
                s.SkipFirstMatch = false;
                continue;
            }
            s.PhotoCursor = static_cast<std::int16_t>(k + 1);
            if (!ShowPhotoEntry(c, s.PhotoCursor)) {
                ErrorReporter(c, Failure::Caught);
                return;
            }
            s.PhotoIndex = s.PhotoCursor;
            if (!finishStep(c))
                ErrorReporter(c, Failure::Caught);
            return;
        }
        s.PhotoCursor = 0;
    }
}

void PreviousPhoto(AppContext& c)
{
    AppState& s = c.state;
    if (noChoiceYet(c))
        return;
    s.SkipFirstMatch = false;
    if (s.LastStepNext)
        --s.PhotoCursor;
    s.LastStepPrevious = true;
    if (s.PhotoCursor < 1)
        s.PhotoCursor = s.PhotoCount;
    s.ErrCode = QStringLiteral("ER011");

    bool shown = false;
    bool failed = false;
    for (int pass = 0; pass < 2 && !shown && !failed; ++pass) {
        for (int k = s.PhotoCursor; k >= 1; --k) {
            if (photoCode(c, s.PhotoList(k)) != s.TopicCode)
                continue;
            // On failure the cursor passes the broken photo, so the next Previous moves on.
            s.PhotoCursor = static_cast<std::int16_t>(k - 1);
            if (ShowPhotoEntry(c, k))
                shown = true;
            else
                failed = true;
            break;
        }
        if (!shown && !failed)
            s.PhotoCursor = s.PhotoCount;
    }
    if (failed)
        ErrorReporter(c, Failure::Caught);
    else if (shown)
        s.PhotoIndex = static_cast<std::int16_t>(s.PhotoCursor + 1);
    s.LastStepNext = false;
    if (!finishStep(c))
        ErrorReporter(c, Failure::Caught);
}

bool LoadPhotoCaption(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    // The base name ends at the first dot of the file name (not of the folders above it).
    const QString name = photoFileName(c, s.CurrentPhoto);
    const QString base = name.left(name.indexOf(QLatin1Char('.')));
    s.DocPath = joinPath(s.CdDrive, QStringLiteral("/richtext/"), base + QStringLiteral(".rtf"));
    const bool ok = loadRichText(c, f.rtbDetails, s.DocPath);
    const QRect ad = f.cmdAd->geometry();
    f.rtbDetails->move(ad.x() + ad.width() - f.rtbDetails->width() - 10, f.Image4->y() + 9);
    f.rtbDetails->raise();
    return ok;
}

void mnuNames_Click(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    if (f.panYear->text() == NoChoice)
        return;
    if (s.ShowFileNames) {
        f.mnuNames->setText(QStringLiteral("Show File &Names"));
        s.ShowFileNames = false;
        f.txtFile->hide();
        return;
    }
    s.ShowFileNames = true;
    f.mnuNames->setText(QStringLiteral("Hide File &Names"));
    f.txtFile->setText(photoFileName(c, s.CurrentPhoto));
    f.txtFile->show();
    f.txtFile->raise();
}

void txtFile_Click(AppContext& c)
{
    Form1& f = *c.form1;
    f.mnuNames->setText(QStringLiteral("Show File &Names"));
    c.state.ShowFileNames = false;
    f.txtFile->hide();
}

void panPhoto_DblClick(AppContext& c)
{
    BuildPhotoList(c);
    if (c.ended)
        return;
    NextPhoto(c);
}

} // namespace kv
