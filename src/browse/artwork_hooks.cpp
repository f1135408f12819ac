#include "browse/artwork_hooks.h"

#include "app/app_context.h"

namespace kv {

// The artwork panels are not part of this build yet: nothing is shown that would need reloading.
void ReloadVisibleArtwork(AppContext&) {}

} // namespace kv
