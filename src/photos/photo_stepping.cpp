#include "photos/photo_stepping.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/rich_text.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "photos/photo_cursor.h"
#include "photos/photo_list.h"
#include "photos/saver_buttons.h"
#include "platform/file_system.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace kv {

namespace {
bool noChoiceYet(AppContext& c)
{
    if (!c.state.Selection.isNone())
        return false;
    Form1& f = *c.form1;
    f.cmdYR[1]->setEnabled(true);
    f.focusYearButton(1);
    return true;
}

// The year button after the stepped year; the first after 1957 and after every topic.
void focusAfterStep(AppContext& c)
{
    const Topic* topic = topicByCode(c.state.TopicCode);
    c.form1->focusYearButton(yearButtonAfter(topic ? topic->yearButton : 0));
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

void NextPhoto(AppContext& c)
{
    if (noChoiceYet(c))
        return;
    c.state.ErrCode = QStringLiteral("ER012");
    switch (stepForward(c)) {
    case StepResult::Failed:
        ErrorReporter(c, Failure::Caught);
        return;
    case StepResult::Shown:
        if (!finishStep(c))
            ErrorReporter(c, Failure::Caught);
        return;
    case StepResult::NoPhoto:
        return;
    }
}

void PreviousPhoto(AppContext& c)
{
    if (noChoiceYet(c))
        return;
    c.state.ErrCode = QStringLiteral("ER011");
    const StepResult result = stepBackward(c);
    if (result == StepResult::Failed)
        ErrorReporter(c, Failure::Caught);
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
    if (c.state.Selection.isNone())
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
