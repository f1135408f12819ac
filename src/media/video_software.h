#pragma once

namespace kv {

struct AppContext;

// "Install Intel Video Software": the codec installer offer from the main window.
void mnuVideo_Click(AppContext& c);
// Asks, runs the installer and waits; false when the user said No or the installer failed
// (reported as ER003).
bool OfferVideoSoftware(AppContext& c);

} // namespace kv
