#pragma once

namespace kv {

struct AppContext;

// Connects the File menu's copy and remove entries, the copy panel's buttons and the screen-saver
// panel's; the saver panel's Help is `showSaverHelp`, a document this part does not keep.
void wireCopies(AppContext& c, void (*showSaverHelp)(AppContext&));

} // namespace kv
