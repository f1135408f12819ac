#include "app/topics.h"

#include "app/app_context.h"
#include "app/widgets/panel3d.h"


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
    // Statistics caption, slide caption, hand-back "Details", files of its own.
    auto own = [](TopicFiles f) { return f; };
    const TopicFiles none;
    static const std::array<Topic, TopicCount> topics = {{
        {I::Year1955, text("1955"), text("55"), 1, -1, {}, B::All, S, text("1955 "), false, none},
        {I::Year1956, text("1956"), text("56"), 2, -1, {}, B::All, S, text("1956 "), false, none},
        {I::Year1957, text("1957"), text("57"), 3, -1, {}, B::All, S, text("1957 "), false, none},
        {I::Matchbook, text("Kel-Vardo Matchbook Covers "), text("MA"), 0, 0, text("Matchbook Covers"), B::None, D,
         text("Kel-Vardo Matchbook Covers "), false, none},
        {I::Danbury, text("Danbury Mint Die Cast Models "), text("TD"), 0, 1, text("The Danbury Mint"),
         B::DescAndStats, D, text("Danbury Mint Die Cast Models "), true,
         own({.description = text("danbury.rtf"), .detailSmall = text("tdm0"), .detailLarge = text("tdm")})},
        {I::FranklinModels, text("Franklin Mint Die Cast Models "), text("TF"), 0, 3,
         text("The Franklin Mint Die Cast Models"), B::DescAndStats, D, text("Franklin Mint Die Cast Models "), true,
         own({.description = text("franklin.rtf"), .detailSmall = text("tfm0"), .detailLarge = text("tfm")})},
        {I::MetalSigns, text("Kel-Vardo Metal Signs "), text("VM"), 0, 5, text("KelVardo Metal Signs"),
         B::DescAndStats, D, text("Kel-Vardo Metal Signs "), true,
         own({.description = text("desperat.rtf"), .detailSmall = text("vms0"), .detailLarge = text("vms0")})},
        {I::Stamps, text("Kel-Vardo Postage Stamps "), text("ZZ"), 0, 7, text("KelVardo Postage Stamps"), B::DescOnly,
         D, text("Kel-Vardo Postage Stamps "), true,
         own({.description = text("stamps.rtf"), .detailSmall = text("zz00"), .detailLarge = text("zz0")})},
        {I::Renlow, text("The Renlow Kel-Vardo "), text("CW"), 0, -1, {}, B::All, D, text("The Renlow Kel-Vardo "),
         false, none},
        {I::Cookies, text("Kel-Vardo Cookies "), text("VC"), 0, -1, {}, B::All, D, text("Kel-Vardo Cookies "), true,
         own({.detailSmall = text("usa00"), .detailLarge = text("usa00")})},
        {I::Prototypes, text("Early Kel-Vardo Prototypes "), text("PT"), 0, -1, {}, B::All, D,
         text("Early Kel-Vardo Prototypes "), true,
         own({.script = text("/SCRIPTS/SCRIpt.jpg"), .emblem = text("/emblems/EMBpt.jpg"),
              .description = text("ptdesc.rtf"), .descriptionTail = text("Description "),
              .detailSmall = text("pt00"), .detailLarge = text("pt0")})},
        {I::Knives, text("Franklin Mint Collector Knives "), text("TE"), 0, -1, {}, B::All, D,
         text("Franklin Mint Collector Knives "), true,
         own({.description = text("knives.rtf"), .detailSmall = text("tek00"), .detailLarge = text("tek0")})},
        {I::Calendars, text("Kel-Vardo Calendars "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.description = text("carstuff.rtf")})},
        {I::Plates, text("Franklin Mint Collector Plates "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.description = text("plates.rtf")})},
        {I::Monopoly, text("The Kel-Vardo Monopoly Game "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.description = text("monopoly.rtf"), .detailSmall = text("vck00"), .detailLarge = text("vck00")})},
        {I::Halvic, text("The Classic Halvic "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.script = text("/SCRIPTS/SCRIHV.jpg"), .emblem = text("/emblems/embhv.jpg"),
              .colors = text("hvcolors.rtf"), .options = text("hvopts.rtf"), .statistics = text("hvstats.rtf")})},
        {I::MachI, text("Kel-Vardo Mach I "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.detailSmall = text("m100"), .detailLarge = text("m10")})},
        {I::MachIII, text("Kel-Vardo Mach III "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.statistics = text("m3stats.rtf")})},
        {I::SuperStallion, text("Kel-Vardo Super Stallion "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.statistics = text("msstats.rtf")})},
        {I::ArtPrint, text("Bram Tollis Art Print "), {}, 0, -1, {}, B::All, D, {}, false,
         own({.detailSmall = text("glbt0"), .detailLarge = text("glbt0")})},
    }};
    return topics;
}

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

std::span<const Topic> allTopics()
{
    return table();
}

const Topic& topicById(TopicId id)
{
    return table().at(std::size_t(id));
}

const Topic& yearTopic(int yearButton)
{
    return table().at(std::size_t(std::clamp(yearButton, 1, YearButtonCount) - 1));
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

TopicChoice TopicChoice::ofPhotoCode(const QString& code)
{
    return TopicChoice(topicByCode(code), slideCaptionFor(code));
}

QString TopicChoice::code() const
{
    return m_topic && !m_topic->code.isEmpty() ? m_topic->code : digits();
}

QString slideCaptionFor(const QString& code)
{
    const Topic* t = topicByCode(code);
    return t ? t->slideCaption : QStringLiteral("19") + code + QLatin1Char(' ');
}

CycleStep nextInCycle(const TopicChoice& choice, int yearButton)
{
    // The cycle reads panYear's text: a slide's caption ("1957 ") follows the year button.
    for (const CycleRow& row : Cycle) {
        if (choice.caption() == topicById(row.from).caption)
            return {&topicById(row.to), row.viaStuff, row.yearButton};
    }
    const int n = yearButton == YearButtonCount ? 0 : yearButton;
    return {&yearTopic(n + 1), false, n + 1};
}

} // namespace kv
