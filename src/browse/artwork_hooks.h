#pragma once

namespace kv {

struct AppContext;

// Reloads each artwork panel that is shown, for the year now chosen (artwork_panels.cpp).
void ReloadVisibleArtwork(AppContext& c);

} // namespace kv
