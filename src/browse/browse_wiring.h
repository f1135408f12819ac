#pragma once

namespace kv {

struct AppContext;

// Connects the year buttons, the collectibles menu, the photo click, the window's background
// and focus, and the document buttons and menu entries to their handlers.
void wireBrowse(AppContext& c);

} // namespace kv
