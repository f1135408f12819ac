#pragma once

#include <functional>

namespace kv {

struct AppContext;

// "Install Intel Video Software": the codec installer offer from the main window.
void mnuVideo_Click(AppContext& c);
// Asks and starts the installer; `then(true)` follows once it has run, `then(false)` when the
// user said No or the installer failed (reported as ER003).
void OfferVideoSoftware(AppContext& c, std::function<void(bool installed)> then);

} // namespace kv
