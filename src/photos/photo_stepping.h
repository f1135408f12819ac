#pragma once

namespace kv {

struct AppContext;

// One photo of the selection on or back (the spin arrows, "." and "," on a year button).
void NextPhoto(AppContext& c);
void PreviousPhoto(AppContext& c);
// Loads the caption text of the shown photo into the detail box and places the box.
// False when the text cannot be read.
bool LoadPhotoCaption(AppContext& c);

// "Show File Names" and a click on the file-name box.
void mnuNames_Click(AppContext& c);
void txtFile_Click(AppContext& c);
// Double-click on the photo number: re-read the folder, then step.
void panPhoto_DblClick(AppContext& c);

} // namespace kv
