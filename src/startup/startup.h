#pragma once

namespace kv {

struct AppContext;

// Splash window load: single copy, the disc, the sound, the timer, the photo list.
// False when the program has ended (second copy, Cancel).
bool Form2_Load(AppContext& c);
// The splash timer: opens the main window and closes the splash.
void Timer1_Timer(AppContext& c);
// Main window load: stored geometry, then shown.
void Form1_Load(AppContext& c);

} // namespace kv
