#include "copies/copies_wiring.h"

#include "app/app_context.h"
#include "copies/saver_install.h"

namespace kv {

void wireCopies(AppContext& c)
{
    // The copy panel is not there yet: "copy the photos first" goes on with the disc's photos.
    wireSaverPanel(c, {});
}

} // namespace kv
