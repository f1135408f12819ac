#pragma once

namespace kv {

struct AppContext;

// The topic buttons for the current selection (the topic table's rules), the year buttons
// enabled, and the slide show and document viewer closed. Ends the slide-show state.
void EnableTopicButtons(AppContext& c);

} // namespace kv
