#pragma once

#include <optional>

namespace kv {

// Ends a start that has no window system to open, with a line that says so, before Qt would
// abort with its own advice to reinstall: the exit code, or nothing when a display may be there.
std::optional<int> refuseWithoutDisplay(int argc, char* argv[]);

// Held while the application object opens the window system: a display that is named but cannot
// be reached ends the program with the same line and exit code instead of an abort.
class DisplayOpening
{
public:
    DisplayOpening();
    ~DisplayOpening();
    DisplayOpening(const DisplayOpening&) = delete;
    DisplayOpening& operator=(const DisplayOpening&) = delete;
};

} // namespace kv
