// The photo stepping, photo window and slide show, on a year chosen through the main window.
#include "app/main_window.h"
#include "browse/browse_wiring.h"
#include "photos/photo_list.h"
#include "photos/photos_wiring.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext& c)
{
    BuildPhotoList(c);
}

void wireTestedArea(AppContext& c)
{
    wireMainWindow(c);
    wireBrowse(c);
    wirePhotos(c);
}

} // namespace kv
