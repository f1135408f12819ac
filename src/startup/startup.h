#pragma once

namespace kv {

struct AppContext;

// Splash window load: single copy, the disc, the sound, the timer, the photo list.
// False when the program has ended (second copy, Cancel).
bool Form2_Load(AppContext& c);
// The exit code of a start that ended before the main window: 1 when the user gave up at a
// Retry/Cancel box (no disc, no photo list), 0 for a second copy, which the first one serves.
int exitCodeOfUnfinishedStart(const AppContext& c);
// Sets how the program ends once its windows close or Cancel is pressed: the single-instance claim
// is given up at once, then the event loop ends, so that a new start is not refused meanwhile.
void endThroughTheEventLoop(AppContext& c);
// The splash timer: opens the main window and closes the splash.
void Timer1_Timer(AppContext& c);
// Main window load: stored geometry, then shown.
void Form1_Load(AppContext& c);

} // namespace kv
