// Choosing, the documents, artwork and pages, and Find; a choice shows its photos, so the photo
// controls are wired too.
#include "app/main_window.h"
#include "browse/browse_wiring.h"
#include "browse/find_wiring.h"
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
    wireFind(c);
}

} // namespace kv
