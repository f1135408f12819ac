#include "platform/twips.h"

#include <cmath>

namespace kv {
int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
}
} // namespace kv
