// The main window's own controls and nothing of the parts.
#include "app/main_window.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext&) {}

void wireTestedArea(AppContext& c)
{
    wireMainWindow(c);
}

} // namespace kv
