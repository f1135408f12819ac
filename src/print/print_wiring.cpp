#include "print/print_wiring.h"

#include "app/app_context.h"

namespace kv {

void wirePrint(AppContext&) {}

} // namespace kv
