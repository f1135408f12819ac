#pragma once

namespace kv {

struct AppContext;

// Connects the main window's controls to what each of them does: every part wires its own,
// from here, once, when the main window is made. A part that needs another's handler is
// handed it here.
void wireForm1(AppContext& c);

} // namespace kv
