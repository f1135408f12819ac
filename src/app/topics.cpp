#include "app/topics.h"

#include "app/app_context.h"
#include "app/form1.h"
#include "app/widgets/panel3d.h"

#include <array>

namespace kv {

namespace {
const QString Statistics = QStringLiteral("Statistics");
const QString Details = QStringLiteral("Details");

const std::array<Topic, 12>& table()
{
    using B = TopicButtons;
    static const std::array<Topic, 12> topics = {{
        {QStringLiteral("1955"), QStringLiteral("55"), 1955, -1, B::All, Statistics, QStringLiteral("1955 "), false},
        {QStringLiteral("1956"), QStringLiteral("56"), 1956, -1, B::All, Statistics, QStringLiteral("1956 "), false},
        {QStringLiteral("1957"), QStringLiteral("57"), 1957, -1, B::All, Statistics, QStringLiteral("1957 "), false},
        {QStringLiteral("Kel-Vardo Matchbook Covers "), QStringLiteral("MA"), 0, 0, B::None, Details,
         QStringLiteral("Kel-Vardo Matchbook Covers "), false},
        {QStringLiteral("Danbury Mint Die Cast Models "), QStringLiteral("TD"), 0, 1, B::DescAndStats, Details,
         QStringLiteral("Danbury Mint Die Cast Models "), true},
        {QStringLiteral("Franklin Mint Die Cast Models "), QStringLiteral("TF"), 0, 3, B::DescAndStats, Details,
         QStringLiteral("Franklin Mint Die Cast Models "), true},
        {QStringLiteral("Kel-Vardo Metal Signs "), QStringLiteral("VM"), 0, 5, B::DescAndStats, Details,
         QStringLiteral("Kel-Vardo Metal Signs "), true},
        {QStringLiteral("Kel-Vardo Postage Stamps "), QStringLiteral("ZZ"), 0, 7, B::DescOnly, Details,
         QStringLiteral("Kel-Vardo Postage Stamps "), true},
        // Photos on the disc that no menu offers; only the slide show names them.
        {QString(), QStringLiteral("CW"), 0, -1, B::All, Details, QStringLiteral("The Renlow Kel-Vardo "), false},
        {QString(), QStringLiteral("VC"), 0, -1, B::All, Details, QStringLiteral("Kel-Vardo Cookies "), true},
        {QString(), QStringLiteral("PT"), 0, -1, B::All, Details, QStringLiteral("Early Kel-Vardo Prototypes "), true},
        {QString(), QStringLiteral("TE"), 0, -1, B::All, Details, QStringLiteral("Franklin Mint Collector Knives "), true},
    }};
    return topics;
}

// The photo cycle by caption; 1955 and 1956 are not listed: they follow the year button.
struct CycleRow
{
    const char* from;
    const char* to;
    bool viaStuff;
    int yearButton;
};
constexpr CycleRow Cycle[] = {
    {"1957", "Kel-Vardo Matchbook Covers ", false, 3},
    {"Kel-Vardo Matchbook Covers ", "Danbury Mint Die Cast Models ", false, 3},
    {"Danbury Mint Die Cast Models ", "Franklin Mint Die Cast Models ", true, 3},
    {"Franklin Mint Die Cast Models ", "Kel-Vardo Metal Signs ", true, 3},
    {"Kel-Vardo Metal Signs ", "Kel-Vardo Postage Stamps ", false, 1},
    {"Kel-Vardo Postage Stamps ", "1955", false, 1},
};
} // namespace

const Topic* topicByCaption(const QString& caption)
{
    for (const Topic& t : table()) {
        if ((!t.caption.isEmpty() && t.caption == caption) || t.slideCaption == caption)
            return &t;
    }
    return nullptr;
}

const Topic* topicByCode(const QString& code)
{
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

QString topicCodeFor(const QString& caption)
{
    const Topic* t = topicByCaption(caption);
    return t ? t->code : caption.mid(2, 2);
}

CycleStep nextInCycle(const QString& caption, int yearButton)
{
    for (const CycleRow& row : Cycle) {
        if (caption == QLatin1String(row.from))
            return {QString::fromLatin1(row.to), row.viaStuff, row.yearButton};
    }
    const int n = yearButton == 3 ? 0 : yearButton;
    return {QStringLiteral("19") + QString::number(55 + n), false, n + 1};
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
