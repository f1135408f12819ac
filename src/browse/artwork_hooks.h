#pragma once

namespace kv {

struct AppContext;

// Reloads each artwork panel that is shown, for the year now chosen (artwork_panels.cpp).
void ReloadVisibleArtwork(AppContext& c);
// The photo window for the shown photo.
void OpenPhotoWindow(AppContext& c);

} // namespace kv
