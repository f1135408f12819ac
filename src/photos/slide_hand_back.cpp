#include "photos/frm_slide.h"

#include "app/app_context.h"
#include "app/error_reporter.h"
#include "app/form1.h"
#include "app/topic_buttons.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "photos/photo_cursor.h"
#include "photos/slide_bar.h"

#include <QPushButton>

#include <algorithm>

namespace kv {

// Stop: the main window takes over at the slide on show, with its topic chosen.
void FrmSlide::mmSlide_StopClick()
{
    AppContext& c = m_context;
    AppState& s = c.state;
    Form1& f = *c.form1;
    s.SlideShowRunning = false;
    if (c.state.Selection.isNone()) {
        EnableTopicButtons(c);
        return;
    }
    // The slide on show: while playing the cursor already points one past it.
    int position = s.PhotoCursor + (mmSlide->isButtonEnabled(SlideBar::Pause) ? 0 : 1);
    position = std::max(position, 2) - 1;

    s.ErrCode = QStringLiteral("ER017");
    if (!handBackFromSlideShow(c, position)) {
        ErrorReporter(c, Failure::Caught);
        return;
    }
    setSelection(c, m_choice);
    f.panYear->show();

    const Topic* topic = m_choice.topic();
    EnableTopicButtons(c);
    f.cmdStats->setText(EnginesCaption);
    s.CurrentYearButton = 0;
    if (topic && topic->handBackDetails) {
        f.cmdStats->setText(topic->statsCaption);
        enableButtonSet(f, ButtonSet::HandBackOff, false);
    }
    if (topic && topic->isYear() && topic->yearButton < YearButtonCount) {
        f.focusYearButton(yearButtonAfter(topic->yearButton));
        s.CurrentYearButton = static_cast<std::int16_t>(topic->yearButton);
    } else {
        // 1957, every topic, and the Renlow photos, which name no year and are stepped
        // through as a topic of their own.
        f.focusYearButton(1);
    }
    if (topic && !topic->isYear())
        s.TopicCode = topic->code;
}

} // namespace kv
