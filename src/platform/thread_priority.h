#pragma once

namespace kv {

// Lowers the calling thread's scheduling priority for good (a nice value of its own on Linux;
// nothing elsewhere): work read ahead then yields to the user-interface thread and the display
// server whenever they want the processor. It cannot be raised again without privileges, so it
// is for threads that only ever do such work.
void lowerThisThreadPriority();

} // namespace kv
