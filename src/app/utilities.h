#pragma once

#include <QString>

namespace kv {

struct AppContext;

// The Help menu's own entries and the screen-resolution check.
void mnuContents_Click(AppContext& c);
void mnuAbout_Click(AppContext& c);
void mnuorvanta_Click(AppContext& c);
void mnuRegisterOL_Click(AppContext& c);
void mnuCheckResolution_Click(AppContext& c);

// What Check Screen Resolution says for a screen that is not 800 by 600 pixels.
QString resolutionAdvice(int widthPixels, int heightPixels);

// Connects the Help menu (but for the registration form) and the resolution check.
void wireUtilities(AppContext& c);

} // namespace kv
