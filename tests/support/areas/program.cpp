// The whole program, wired as it starts.
#include "photos/photo_list.h"
#include "startup/wiring.h"
#include "support/fixture.h"

namespace kv {

void prepareTestedArea(AppContext& c)
{
    BuildPhotoList(c);
}

void wireTestedArea(AppContext& c)
{
    wireForm1(c);
}

} // namespace kv
