#pragma once

namespace kv {

struct AppContext;
struct Topic;

// The topic buttons for the current selection (the topic table's rules), the year buttons
// enabled, and the slide show and document viewer closed. Ends the slide-show state.
void EnableTopicButtons(AppContext& c);
// The same for the selection's entry in the topic table, already looked up (nullptr: none).
void EnableTopicButtons(AppContext& c, const Topic* topic);

} // namespace kv
