// The sound panels and the movie window.
#include "app/main_window.h"
#include "media/media_wiring.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext&) {}

void wireTestedArea(AppContext& c)
{
    wireMainWindow(c);
    wireMedia(c);
}

} // namespace kv
