#include "startup/wiring.h"

#include "app/main_window.h"
#include "browse/browse_wiring.h"
#include "browse/document_catalogue.h"
#include "browse/find_wiring.h"
#include "copies/copies_wiring.h"
#include "media/media_wiring.h"
#include "photos/photos_wiring.h"
#include "print/print_wiring.h"

namespace kv {

void wireForm1(AppContext& c)
{
    wireMainWindow(c);
    wireBrowse(c);
    wirePhotos(c);
    wireMedia(c);
    wireCopies(c, SSCommand5_Click);
    wirePrint(c);
    wireFind(c);
}

} // namespace kv
