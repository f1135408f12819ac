#include "app/topics.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"

#include <QPushButton>

#include <algorithm>
#include <array>
#include <cstddef>

namespace kv {

namespace {
constexpr std::size_t TopicCount = std::size_t(TopicId::ArtPrint) + 1;

const std::array<Topic, TopicCount>& table()
{
    using B = TopicButtons;
    using I = TopicId;
    const QString& S = StatisticsCaption;
    const QString& D = DetailsCaption;
    auto text = [](const char* s) { return QString::fromLatin1(s); };
    // In TopicId order: id, caption, code, year button, menu index, menu caption, buttons,
    // Statistics caption, slide caption, hand-back "Details".
    static const std::array<Topic, TopicCount> topics = {{
        {I::Year1955, text("1955"), text("55"), 1, -1, {}, B::All, S, text("1955 "), false},
        {I::Year1956, text("1956"), text("56"), 2, -1, {}, B::All, S, text("1956 "), false},
        {I::Year1957, text("1957"), text("57"), 3, -1, {}, B::All, S, text("1957 "), false},
        {I::Matchbook, text("Kel-Vardo Matchbook Covers "), text("MA"), 0, 0, text("Matchbook Covers"), B::None, D,
         text("Kel-Vardo Matchbook Covers "), false},
        {I::Danbury, text("Danbury Mint Die Cast Models "), text("TD"), 0, 1, text("The Danbury Mint"),
         B::DescAndStats, D, text("Danbury Mint Die Cast Models "), true},
        {I::FranklinModels, text("Franklin Mint Die Cast Models "), text("TF"), 0, 3,
         text("The Franklin Mint Die Cast Models"), B::DescAndStats, D, text("Franklin Mint Die Cast Models "), true},
        {I::MetalSigns, text("Kel-Vardo Metal Signs "), text("VM"), 0, 5, text("KelVardo Metal Signs"),
         B::DescAndStats, D, text("Kel-Vardo Metal Signs "), true},
        {I::Stamps, text("Kel-Vardo Postage Stamps "), text("ZZ"), 0, 7, text("KelVardo Postage Stamps"), B::DescOnly,
         D, text("Kel-Vardo Postage Stamps "), true},
        {I::Renlow, text("The Renlow Kel-Vardo "), text("CW"), 0, -1, {}, B::All, D, text("The Renlow Kel-Vardo "), false},
        {I::Cookies, text("Kel-Vardo Cookies "), text("VC"), 0, -1, {}, B::All, D, text("Kel-Vardo Cookies "), true},
        {I::Prototypes, text("Early Kel-Vardo Prototypes "), text("PT"), 0, -1, {}, B::All, D,
         text("Early Kel-Vardo Prototypes "), true},
        {I::Knives, text("Franklin Mint Collector Knives "), text("TE"), 0, -1, {}, B::All, D,
         text("Franklin Mint Collector Knives "), true},
        {I::Calendars, text("Kel-Vardo Calendars "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::Plates, text("Franklin Mint Collector Plates "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::Monopoly, text("The Kel-Vardo Monopoly Game "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::Halvic, text("The Classic Halvic "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::MachI, text("Kel-Vardo Mach I "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::MachIII, text("Kel-Vardo Mach III "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::SuperStallion, text("Kel-Vardo Super Stallion "), {}, 0, -1, {}, B::All, D, {}, false},
        {I::ArtPrint, text("Bram Tollis Art Print "), {}, 0, -1, {}, B::All, D, {}, false},
    }};
    return topics;
}

using TopicButton = QPushButton* Form1::*;
constexpr TopicButton ExtraButtons[] = {&Form1::cmdOptions, &Form1::cmdColors,    &Form1::cmdScript,
                                        &Form1::cmdEmblem,  &Form1::cmdAd,        &Form1::cmdModels,
                                        &Form1::cmdNostalgia, &Form1::cmdClipArt, &Form1::cmdBrochure};
constexpr TopicButton StuffChoiceOff[] = {&Form1::cmdOptions, &Form1::cmdColors, &Form1::cmdScript,
                                          &Form1::cmdEmblem,  &Form1::cmdAd,     &Form1::cmdModels,
                                          &Form1::cmdNostalgia, &Form1::cmdBrochure};
constexpr TopicButton HandBackOff[] = {&Form1::cmdOptions, &Form1::cmdColors, &Form1::cmdScript, &Form1::cmdEmblem,
                                       &Form1::cmdAd,      &Form1::cmdModels, &Form1::cmdNostalgia};

// The photo cycle; 1955 and 1956 are not listed: they follow the year button.
struct CycleRow
{
    TopicId from;
    TopicId to;
    bool viaStuff;
    int yearButton;
};
constexpr CycleRow Cycle[] = {
    {TopicId::Year1957, TopicId::Matchbook, false, 3},
    {TopicId::Matchbook, TopicId::Danbury, false, 3},
    {TopicId::Danbury, TopicId::FranklinModels, true, 3},
    {TopicId::FranklinModels, TopicId::MetalSigns, true, 3},
    {TopicId::MetalSigns, TopicId::Stamps, false, 1},
    {TopicId::Stamps, TopicId::Year1955, false, 1},
};
} // namespace

const Topic& topicById(TopicId id)
{
    return table().at(std::size_t(id));
}

const Topic& yearTopic(int yearButton)
{
    return table().at(std::size_t(std::clamp(yearButton, 1, YearButtonCount) - 1));
}

int yearButtonAfter(int yearButton)
{
    return yearButton == YearButtonCount ? 1 : yearButton + 1;
}

const Topic* topicByCaption(const QString& caption)
{
    for (const Topic& t : table()) {
        // The captions only the catalogue knows name no selection: nothing shows them.
        if (t.code.isEmpty())
            continue;
        if (t.caption == caption || t.slideCaption == caption)
            return &t;
    }
    return nullptr;
}

const Topic* topicByCode(const QString& code)
{
    if (code.isEmpty())
        return nullptr;
    for (const Topic& t : table()) {
        if (t.code == code)
            return &t;
    }
    return nullptr;
}

const Topic* topicByMenu(int index)
{
    for (const Topic& t : table()) {
        if (t.menuIndex >= 0 && t.menuIndex == index)
            return &t;
    }
    return nullptr;
}

QString slideCaptionFor(const QString& code)
{
    const Topic* t = topicByCode(code);
    return t ? t->slideCaption : QStringLiteral("19") + code + QLatin1Char(' ');
}

QString captionDigits(const QString& caption)
{
    return caption.mid(2, 2);
}

QString topicCode(const Topic* topic, const QString& caption)
{
    return topic && !topic->code.isEmpty() ? topic->code : captionDigits(caption);
}

QString topicCodeFor(const QString& caption)
{
    return topicCode(topicByCaption(caption), caption);
}

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

CycleStep nextInCycle(const QString& caption, int yearButton)
{
    for (const CycleRow& row : Cycle) {
        if (caption == topicById(row.from).caption)
            return {topicById(row.to).caption, row.viaStuff, row.yearButton};
    }
    const int n = yearButton == YearButtonCount ? 0 : yearButton;
    return {yearTopic(n + 1).caption, false, n + 1};
}

const Topic* currentTopic(const AppContext& c)
{
    return topicByCaption(c.state.Selection);
}

QString currentCaption(const AppContext& c)
{
    return c.state.Selection;
}

bool hasChoice(const AppContext& c)
{
    return !c.state.Selection.isEmpty();
}

void setSelection(AppContext& c, const QString& caption)
{
    c.state.Selection = caption;
    if (c.form1)
        c.form1->panYear->setText(caption.isEmpty() ? NoChoiceCaption : caption);
}

} // namespace kv
