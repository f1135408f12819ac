// The copy panel and the screen-saver panel.
#include "app/main_window.h"
#include "copies/copies_wiring.h"
#include "photos/photo_list.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext& c)
{
    BuildPhotoList(c);
}

void wireTestedArea(AppContext& c)
{
    wireMainWindow(c);
    // The saver panel's Help shows a catalogue document, which is not this part's.
    wireCopies(c, [](AppContext&) {});
}

} // namespace kv
