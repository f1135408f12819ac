#pragma once

namespace kv {

struct AppContext;

// Connects this part's controls on the main window to their handlers; called once, when the
// main window is made.
void wireMedia(AppContext& c);

} // namespace kv
