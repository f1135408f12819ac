#pragma once

namespace kv {

struct AppContext;

// Shows the photo window for the shown photo (brings it forward when already open).
void OpenPhotoWindow(AppContext& c);
// Asks, then prints the shown photo under the title and the year or topic. False when it was
// not printed (declined or failed; a failure has been reported).
bool PrintPhoto(AppContext& c);

void mnuCopyPhoto_Click(AppContext& c);
void mnuPrintPhoto_Click(AppContext& c);

} // namespace kv
