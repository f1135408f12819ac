#include "copies/copies_wiring.h"

#include "app/app_context.h"

namespace kv {

void wireCopies(AppContext&) {}

} // namespace kv
