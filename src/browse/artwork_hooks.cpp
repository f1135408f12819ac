#include "browse/artwork_hooks.h"

#include "app/app_context.h"

namespace kv {

// The photo window is not part of this build yet: it does not open.
void OpenPhotoWindow(AppContext&) {}

} // namespace kv
