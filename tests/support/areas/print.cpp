// The booklet panel, print set-up and the registration form.
#include "app/main_window.h"
#include "photos/photo_list.h"
#include "print/print_wiring.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext& c)
{
    BuildPhotoList(c);
}

void wireTestedArea(AppContext& c)
{
    wireMainWindow(c);
    wirePrint(c);
}

} // namespace kv
