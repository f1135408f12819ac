#pragma once

namespace kv {

struct AppContext;
class Form1;
class TopicChoice;

// Makes `choice` the selection and shows its caption in panYear.
void setSelection(AppContext& c, const TopicChoice& choice);

// The topic buttons beyond Description and Statistics, in three sets. They agree for the
// topics of the menu, whose button rules have already switched all nine off; they differ for
// the photo codes no menu offers, which the rules treat as a year:
//   ExtraButtons    (9) what a year has and a collectibles topic lacks: the button rules
//                       switch these together.
//   StuffChoiceOff  (8) switched off after a collectibles choice; without ClipArt, so such a
//                       code chosen through Find keeps its ClipArt button.
//   HandBackOff     (7) switched off when the slide show hands back a caption that reads
//                       "Details"; without ClipArt and Brochures, which keep what the rules gave.
enum class ButtonSet
{
    ExtraButtons,
    StuffChoiceOff,
    HandBackOff,
};
void enableButtonSet(Form1& f, ButtonSet set, bool enabled);

// The topic buttons for the current selection (the topic table's rules), the year buttons
// enabled, and the slide show and document viewer closed. Ends the slide-show state.
void EnableTopicButtons(AppContext& c);

} // namespace kv
