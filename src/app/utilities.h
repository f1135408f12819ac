#pragma once

#include <QString>

namespace kv {

struct AppContext;

// "Check Screen Resolution": says whether the screen is the 800 by 600 pixels the title is
// made for, and how to change it when not.
void mnuCheckResolution_Click(AppContext& c);

// What Check Screen Resolution says for a screen that is not 800 by 600 pixels: the steps of the
// Windows desktop there, else those of a Linux desktop's display settings.
QString resolutionAdvice(int widthPixels, int heightPixels, bool windowsDesktop);

} // namespace kv
