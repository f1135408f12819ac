#pragma once

namespace kv {

struct AppContext;

// Connects the photo stepping, the photo number, the file-name display and the slide-show
// button of the main window to their handlers.
void wirePhotos(AppContext& c);

} // namespace kv
