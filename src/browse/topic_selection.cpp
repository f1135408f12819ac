#include "browse/topic_selection.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"
#include "browse/artwork_hooks.h"
#include "photos/photo_cursor.h"
#include "photos/photo_window.h"
#include "photos/photo_stepping.h"
#include "photos/saver_buttons.h"
#include "platform/busy_pointer.h"
#include "platform/file_system.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

namespace kv {

namespace {
// What every way of choosing finishes with.
void resetStepping(AppContext& c)
{
    c.form1->panPhoto->setText(QStringLiteral("1"));
    c.busy().normal();
}

void chooseYear(AppContext& c, int index)
{
    Form1& f = *c.form1;
    c.state.TopicChosen = true;
    c.busy().busy();
    f.rtbDetails->hide();
    f.Image4->clear();
    setSelection(c, TopicChoice(yearTopic(index)));
    SelectTopic(c);
    f.focusYearButton(yearButtonAfter(index));
    resetStepping(c);
    c.state.CurrentYearButton = static_cast<std::int16_t>(index);
}
} // namespace

void SelectTopic(AppContext& c)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    f.mnuNames->setEnabled(true);
    f.rtbDetails->hide();
    const Topic* topic = s.Selection.topic();
    EnableTopicButtons(c);
    s.TopicCode = s.Selection.code();
    if (topic && !topic->isYear())
        f.cmdStats->setText(topic->statsCaption);
    s.PhotoNamePos = static_cast<std::int16_t>(s.PhotoList(1).indexOf(PhotoFolder) + 1);

    const StepResult start = showSelectionStart(c);
    // The photo goes to the screen now; the buttons and captions the choice changes follow.
    if (start == StepResult::Shown)
        f.Image4->repaint();
    if (start != StepResult::Shown) {
        s.ErrCode = QStringLiteral("ER023");
        ErrorReporter(c, start == StepResult::NoPhoto ? Failure::Detected : Failure::Caught);
        f.Image4->hide();
    }
    RefreshSaverButtons(c);
}

void SelectStuffTopic(AppContext& c)
{
    Form1& f = *c.form1;
    c.state.TopicChosen = true;
    c.busy().busy();
    f.Image4->clear();
    SelectTopic(c);
    resetStepping(c);
    f.cmdStats->setText(DetailsCaption);
    enableButtonSet(f, ButtonSet::StuffChoiceOff, false);
    f.rtbDetails->hide();
    c.state.CurrentYearButton = 0;
    f.cmdYR[1]->setEnabled(true);
    f.focusYearButton(1);
}

void cmdYR_Click(AppContext& c, int index)
{
    if (index < 1 || index > YearButtonCount)
        return;
    chooseYear(c, index);
}

void cmdYR_KeyDown(AppContext& c, int index, int key)
{
    if (key == Qt::Key_Comma) {
        PreviousPhoto(c);
    } else if (key == Qt::Key_Period) {
        NextPhoto(c);
    } else if (key == Qt::Key_Space && !c.state.TopicChosen) {
        // The pressed button's own year: the one the user is looking at.
        chooseYear(c, index >= 1 && index <= YearButtonCount ? index : 1);
    }
}

void Form1_Click(AppContext& c)
{
    AppState& s = c.state;
    if (!s.AwaitingFirstClick)
        return;
    Form1& f = *c.form1;
    s.AwaitingFirstClick = false;
    c.busy().busy();
    f.Image4->clear();
    s.NextYearButton = 1;
    f.cmdYR[2]->setEnabled(true);
    f.focusYearButton(2);
    setSelection(c, TopicChoice(yearTopic(1)));
    SelectTopic(c);
    f.cmdYR[1]->setEnabled(false);
    f.focusYearButton(2);
    resetStepping(c);
    s.CurrentYearButton = s.NextYearButton;
}

void mnuStuff_Click(AppContext& c, int index)
{
    const Topic* topic = topicByMenu(index);
    if (!topic)
        return;
    c.busy().busy();
    c.form1->Image4->clear();
    setSelection(c, TopicChoice(*topic));
    SelectStuffTopic(c);
}

void choosePhotoCode(AppContext& c, const QString& code)
{
    const Topic* topic = topicByCode(code);
    if (topic && topic->isYear()) {
        cmdYR_Click(c, topic->yearButton);
        return;
    }
    // A menu's topic as its menu chooses it; a code no menu offers as the slide show leaves it.
    const bool inMenu = topic && topic->menuIndex >= 0;
    c.busy().busy();
    c.form1->Image4->clear();
    setSelection(c, inMenu ? TopicChoice(*topic) : TopicChoice::ofPhotoCode(code));
    SelectStuffTopic(c);
}

void Form1_LostFocus(AppContext& c)
{
    if (!c.state.SlideShowRunning)
        return;
    if (!c.state.Selection.isNone())
        c.form1->Image4->show();
    EnableTopicButtons(c);
}

void Image4_MouseDown(AppContext& c, bool rightButton)
{
    AppState& s = c.state;
    Form1& f = *c.form1;
    if (rightButton) {
        c.files().makeDir(joinPath(c.files().dataDir(), QStringLiteral("/ssKel-Vardos/")));
        OpenPhotoWindow(c);
        return;
    }
    c.busy().busy();
    f.rtbDetails->hide();
    s.TopicChosen = true;
    const CycleStep next = nextInCycle(s.Selection, s.CurrentYearButton);
    setSelection(c, TopicChoice(*next.topic));
    if (next.viaStuff)
        SelectStuffTopic(c);
    else
        SelectTopic(c);
    if (next.topic->isYear())
        f.cmdStats->setText(next.topic->statsCaption);
    s.CurrentYearButton = static_cast<std::int16_t>(next.yearButton);
    f.focusYearButton(yearButtonAfter(next.yearButton));
    resetStepping(c);
}

} // namespace kv
