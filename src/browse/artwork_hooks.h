#pragma once

namespace kv {

struct AppContext;

// Reloads each artwork panel that is shown, for the year now chosen.
void ReloadVisibleArtwork(AppContext& c);

} // namespace kv
