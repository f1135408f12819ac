#pragma once

namespace kv {

// The slide show's random order. A draw looked at ahead of its tick is the one that tick takes,
// so reading the next slide ahead never changes the order.
double peekSlideRandom(); // r in [0, 1) of the next tick's draw
double nextSlideRandom(); // the draw for this tick
// The random order starts again as on a new run of the program.
void restartSlideRandom();
// The list position 1..count that draw `r` picks.
int randomSlidePosition(int count, double r);

// Middle of the list: half the count, an exact half going to the even neighbour.
int middlePosition(int count);

} // namespace kv
