#pragma once

#include <QString>

#include <span>
#include <utility>

namespace kv {

struct AppContext;
class Form1;

// The topic table: the three model years, the five collectibles topics of the menu, the photo
// codes only the slide show names, and the captions only the document catalogue knows.
// Nothing else spells a topic's caption or code, or a year button's index.
//
// Asking "the current selection" from any window:
//     const TopicChoice& s = c.state.Selection;  // s.topic(), s.caption(), s.code(), s.isYear()
//     s.isNone()                          // true while panYear still reads "panYear"
// Naming one: topicById(TopicId::Stamps), yearTopic(1).
// Choosing one (browse and the slide-show hand-back only):
//     setSelection(c, TopicChoice(row));  // panYear shows it (app/topic_buttons.h)
// c.state.TopicCode stays the stepping code; the slide show may force it to the first year's
// code while it runs.

enum class TopicId
{
    Year1955,
    Year1956,
    Year1957,
    // The collectibles of the "KelVardo Stuff" menu.
    Matchbook,
    Danbury,
    FranklinModels,
    MetalSigns,
    Stamps,
    // Photos on the disc that no menu offers; only the slide show (and Find) names them.
    Renlow,
    Cookies,
    Prototypes,
    Knives,
    // Captions the document catalogue has texts for; nothing chooses them.
    Calendars,
    Plates,
    Monopoly,
    Halvic,
    MachI,
    MachIII,
    SuperStallion,
    ArtPrint,
};

// Which topic buttons a topic leaves enabled (EnableTopicButtons).
enum class TopicButtons
{
    All,          // a year, and the codes no menu offers
    DescAndStats, // Danbury, Franklin, Signs
    DescOnly,     // Stamps
    None,         // Matchbook
};

// cmdStats captions: a year's, a collectibles topic's, and the one the slide-show hand-back
// gives every caption that does not read "Details".
inline const QString StatisticsCaption = QStringLiteral("Statistics");
inline const QString DetailsCaption = QStringLiteral("Details");
inline const QString EnginesCaption = QStringLiteral("Engines");

// Files a topic has under names of its own; empty where the rules by caption name them.
struct TopicFiles
{
    QString script{};          // artwork, as paths on the disc
    QString emblem{};
    QString description{};     // rich-text documents
    QString descriptionTail{}; // follows the caption in the viewer's title
    QString colors{};
    QString options{};
    QString statistics{};  // one document of specifications
    QString detailSmall{}; // per-photo statistics: the name's prefix below photo 5
    QString detailLarge{}; // from photo 5
};

struct Topic
{
    TopicId id;
    QString caption;      // what panYear shows for it, trailing space included
    QString code;         // the photo-name prefix, TopicCode while it is chosen; empty: no photos
    int yearButton = 0;   // the cmdYR index of a year (1 to 3); 0 for the others
    int menuIndex = -1;   // mnuStuff index, -1 when no menu entry chooses it
    QString menuCaption;  // that menu entry's text
    TopicButtons buttons = TopicButtons::All;
    QString statsCaption; // the cmdStats caption its choice by menu or photo click sets
    QString slideCaption; // the caption of its slides; empty when it has no photos
    bool handBackDetails = false; // handed back from the slide show, it reads "Details" with the extras off
    TopicFiles files;
    bool isYear() const { return yearButton != 0; }
};

// The caption panYear shows before any choice.
inline const QString NoChoiceCaption = QStringLiteral("panYear");

// What the user has chosen: a row of the table, or a photo code the table lacks (Find and the
// slide show can name any code on the disc). It keeps the caption exactly as panYear shows
// it, since a slide's caption ("1955 ") and a year button's ("1955") lead different ways in
// the photo cycle.
class TopicChoice
{
public:
    TopicChoice() = default; // nothing chosen yet
    explicit TopicChoice(const Topic& topic) : TopicChoice(&topic, topic.caption) {}
    // A slide's choice: its table row when the code has one, with the slide caption.
    static TopicChoice ofPhotoCode(const QString& code);

    bool isNone() const { return m_caption.isEmpty(); }
    const Topic* topic() const { return m_topic; }
    bool isYear() const { return m_topic && m_topic->isYear(); }
    // Empty before any choice.
    const QString& caption() const { return m_caption; }
    // What panYear reads: "panYear" before any choice.
    QString shownCaption() const { return isNone() ? NoChoiceCaption : m_caption; }
    // Characters 3 and 4 of the caption: a year's digits ("55" for "1955"); the rules that
    // read them read them from any caption, so a topic gives two letters of its name.
    QString digits() const { return m_caption.mid(2, 2); }
    // The photo-name prefix: the row's, else the caption's digits; empty before any choice.
    QString code() const;

private:
    TopicChoice(const Topic* topic, QString caption) : m_topic(topic), m_caption(std::move(caption)) {}
    const Topic* m_topic = nullptr;
    QString m_caption;
};

// The year buttons run from 1 to this.
constexpr int YearButtonCount = 3;

const Topic& topicById(TopicId id);
// Every row, in TopicId order.
std::span<const Topic> allTopics();
// The year of a year button, 1 to 3.
const Topic& yearTopic(int yearButton);
// The year button after `yearButton`: the first after the last, and when no year is chosen (0).
constexpr int yearButtonAfter(int yearButton)
{
    return yearButton == YearButtonCount ? 1 : yearButton + 1;
}

// An entry by photo code or by menu index; nullptr when none.
const Topic* topicByCode(const QString& code);
const Topic* topicByMenu(int index);
// The slide caption of any photo code: the table's, else "19" & code & " ".
QString slideCaptionFor(const QString& code);

// The photo cycle (a left click on the photo): the caption after `caption`, whether the
// collectibles routine chooses it, and the year-button index it stores. Years 1955 and 1956,
// and captions not in the cycle, follow `yearButton` (the current CurrentYearButton).
struct CycleStep
{
    const Topic* topic = nullptr;
    bool viaStuff = false;
    int yearButton = 0;
};
CycleStep nextInCycle(const TopicChoice& choice, int yearButton);


} // namespace kv
