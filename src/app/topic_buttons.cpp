#include "app/topic_buttons.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/topics.h"
#include "app/widgets/panel3d.h"
#include "app/widgets/picture_view.h"
#include "app/widgets/spin_button.h"

#include <QPushButton>

namespace kv {

namespace {
using TopicButton = QPushButton* Form1::*;
constexpr TopicButton ExtraButtons[] = {&Form1::cmdOptions, &Form1::cmdColors,    &Form1::cmdScript,
                                        &Form1::cmdEmblem,  &Form1::cmdAd,        &Form1::cmdModels,
                                        &Form1::cmdNostalgia, &Form1::cmdClipArt, &Form1::cmdBrochure};
constexpr TopicButton StuffChoiceOff[] = {&Form1::cmdOptions, &Form1::cmdColors, &Form1::cmdScript,
                                          &Form1::cmdEmblem,  &Form1::cmdAd,     &Form1::cmdModels,
                                          &Form1::cmdNostalgia, &Form1::cmdBrochure};
constexpr TopicButton HandBackOff[] = {&Form1::cmdOptions, &Form1::cmdColors, &Form1::cmdScript, &Form1::cmdEmblem,
                                       &Form1::cmdAd,      &Form1::cmdModels, &Form1::cmdNostalgia};

void closeWindow(QWidget* w)
{
    if (w)
        w->close();
}
} // namespace

void enableButtonSet(Form1& f, ButtonSet set, bool enabled)
{
    auto apply = [&](const auto& buttons) {
        for (TopicButton b : buttons)
            (f.*b)->setEnabled(enabled);
    };
    switch (set) {
    case ButtonSet::ExtraButtons: apply(ExtraButtons); break;
    case ButtonSet::StuffChoiceOff: apply(StuffChoiceOff); break;
    case ButtonSet::HandBackOff: apply(HandBackOff); break;
    }
}

void setSelection(AppContext& c, const TopicChoice& choice)
{
    c.state.Selection = choice;
    if (c.form1)
        c.form1->panYear->setText(choice.shownCaption());
}

void EnableTopicButtons(AppContext& c)
{
    AppState& s = c.state;
    const Topic* topic = s.Selection.topic();
    Form1& f = *c.form1;
    s.SlideShowRunning = false;
    f.setEnabled(true);
    f.cmdDesc->setEnabled(true);
    if (!c.state.Selection.isNone()) {
        f.SpinButton1->show();
        f.panPhoto->show();
        f.panYear->show();
        f.cmdStats->setEnabled(true);
        enableButtonSet(f, ButtonSet::ExtraButtons, true);
        const TopicButtons rule = topic ? topic->buttons : TopicButtons::All;
        if (rule != TopicButtons::All)
            enableButtonSet(f, ButtonSet::ExtraButtons, false);
        if (rule == TopicButtons::None)
            f.cmdDesc->setEnabled(false);
        if (rule == TopicButtons::None || rule == TopicButtons::DescOnly)
            f.cmdStats->setEnabled(false);
        // From the table on every path: the caption's own characters name no collectibles topic.
        s.TopicCode = s.Selection.code();
        if (topic && topic->isYear()) {
            if (c.reloadVisibleArtwork)
                c.reloadVisibleArtwork();
        } else {
            f.picClipArt->hide();
            f.picEmblem->hide();
            f.picScript->hide();
        }
        for (s.LoopIndex = 1; s.LoopIndex <= YearButtonCount; ++s.LoopIndex)
            f.cmdYR[s.LoopIndex]->setEnabled(true);
    }
    closeWindow(c.frmSlide);
    closeWindow(c.txtForm);
}

} // namespace kv
