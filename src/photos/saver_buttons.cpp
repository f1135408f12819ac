#include "photos/saver_buttons.h"

#include "app/app_context.h"

namespace kv {

void RefreshSaverButtons(AppContext& c)
{
    // Nothing to refresh while the photo window is closed.
    if (!c.frmSSPhoto)
        return;
}

// The photo window is not part of this build yet: it does not open.
void OpenPhotoWindow(AppContext&) {}

} // namespace kv
