#include "photos/slide_order.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>

namespace kv {

namespace {
// Not seeded from the clock: every run of the program shows the same random slides.
struct SlideRandom
{
    std::mt19937 generator;
    // A draw looked at ahead of its tick; the tick takes this one, so looking ahead never
    // changes the order.
    std::optional<std::uint32_t> drawn;
};

SlideRandom& slideRandom()
{
    static SlideRandom random;
    return random;
}
} // namespace

// r in [0, 1), from the generator's standard 32-bit output so every platform agrees.
double peekSlideRandom()
{
    SlideRandom& r = slideRandom();
    if (!r.drawn)
        r.drawn = r.generator();
    return double(*r.drawn) / 4294967296.0;
}

double nextSlideRandom()
{
    const double r = peekSlideRandom();
    slideRandom().drawn.reset();
    return r;
}

void restartSlideRandom()
{
    slideRandom().generator.seed(std::mt19937::default_seed);
    slideRandom().drawn.reset();
}

int randomSlidePosition(int count, double r)
{
    return int(count * r + 1);
}

int middlePosition(int count)
{
    int middle = count / 2;
    if (count % 2 != 0 && middle % 2 != 0)
        ++middle;
    // One photo has no half of its own; it is its own middle.
    return count > 0 ? std::max(middle, 1) : 0;
}

} // namespace kv
