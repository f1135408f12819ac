#pragma once

namespace kv {

struct AppContext;

// Find in Documents: the Help menu's last entry and Ctrl+F open the Find window; the texts are
// read on a worker thread once the main window is on screen, and the work stops when it closes.
void wireFind(AppContext& c);

} // namespace kv
