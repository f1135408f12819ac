#pragma once

namespace kv {

struct AppContext;

// Connects the main window's controls to what each of them does.
void wireForm1(AppContext& c);

} // namespace kv
