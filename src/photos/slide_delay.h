#pragma once

#include <cstdint>

namespace kv {

// The delay after one press of a delay spin, in milliseconds: one second at a time up to five,
// then five at a time up to a minute, and round again.
std::int32_t nextSlideDelay(std::int32_t delay, bool up);

} // namespace kv
