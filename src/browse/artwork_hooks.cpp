#include "browse/artwork_hooks.h"

#include "app/app_context.h"

namespace kv {

// The artwork panels and the photo window are not part of this build yet: nothing is shown
// that would need reloading, and the photo window does not open.
void ReloadVisibleArtwork(AppContext&) {}
void OpenPhotoWindow(AppContext&) {}

} // namespace kv
