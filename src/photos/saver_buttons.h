#pragma once

namespace kv {

struct AppContext;

// Brings the photo window's screen-saver buttons in line with the shown photo.
void RefreshSaverButtons(AppContext& c);
// The photo window for the shown photo.
void OpenPhotoWindow(AppContext& c);

} // namespace kv
