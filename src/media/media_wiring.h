#pragma once

namespace kv {

struct AppContext;

// Puts the sound panels on the main window and connects the movie and sound menus.
void wireMedia(AppContext& c);

} // namespace kv
