#pragma once

namespace kv {

struct AppContext;

// Connects the File menu's copy and remove entries and the copy panel's buttons.
void wireCopies(AppContext& c);

} // namespace kv
