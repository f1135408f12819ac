#pragma once

#include <QString>

namespace kv {

struct AppContext;

// The topic table: the three model years, the five collectibles topics of the menu, and the
// photo codes only the slide show names. Nothing else spells a topic's caption or code.
//
// Asking "the current selection" from any window:
//     const Topic* t = currentTopic(c);   // nullptr before the first choice
//     if (t && t->isYear()) ...           // t->code, t->caption, t->statsCaption, ...
//     hasChoice(c)                        // false while panYear still reads "panYear"
// Choosing one (browse and the slide-show hand-back only):
//     setSelection(c, caption);           // panYear shows it; the selection records it
// c.state.TopicCode stays the stepping code; the slide show may force it to "55" while it runs.

// Which topic buttons a topic leaves enabled (EnableTopicButtons).
enum class TopicButtons
{
    All,          // a year, and the codes no menu offers
    DescAndStats, // Danbury, Franklin, Signs
    DescOnly,     // Stamps
    None,         // Matchbook
};

struct Topic
{
    QString caption;      // panYear caption, trailing space included; empty for slide-only codes
    QString code;         // the photo-name prefix, TopicCode while it is chosen
    int year = 0;         // 1955..1957; 0 for collectibles
    int menuIndex = -1;   // mnuStuff index, -1 when no menu entry chooses it
    TopicButtons buttons = TopicButtons::All;
    QString statsCaption; // the cmdStats caption its choice by menu or photo click sets
    QString slideCaption; // the caption of its slides
    bool handBackDetails = false; // handed back from the slide show, it reads "Details" with the extras off
    bool isYear() const { return year != 0; }
};

// The caption panYear shows before any choice.
inline const QString NoChoiceCaption = QStringLiteral("panYear");

// An entry by the caption panYear shows (a selection's caption, or a slide caption as the
// slide-show hand-back leaves it), by code, or by menu index; nullptr when the table has none.
const Topic* topicByCaption(const QString& caption);
const Topic* topicByCode(const QString& code);
const Topic* topicByMenu(int index);
// The slide caption of any photo code: the table's, else "19" & code & " ".
QString slideCaptionFor(const QString& code);
// The code a caption stands for: the table's, else characters 3 and 4 of the caption.
QString topicCodeFor(const QString& caption);

// The photo cycle (a left click on the photo): the caption after `caption`, whether the
// collectibles routine chooses it, and the year-button index it stores. Years 1955 and 1956,
// and captions not in the cycle, follow `yearButton` (the current CurrentYearButton).
struct CycleStep
{
    QString caption;
    bool viaStuff = false;
    int yearButton = 0;
};
CycleStep nextInCycle(const QString& caption, int yearButton);

const Topic* currentTopic(const AppContext& c);
QString currentCaption(const AppContext& c);
bool hasChoice(const AppContext& c);
void setSelection(AppContext& c, const QString& caption);

} // namespace kv
