#include "media/media_wiring.h"

#include "app/app_context.h"

namespace kv {

void wireMedia(AppContext&) {}

} // namespace kv
