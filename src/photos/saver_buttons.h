#pragma once

#include <QString>

namespace kv {

struct AppContext;

// The screen-saver photo set: every file in this folder (the program data folder and
// "/ssKel-Vardos/"). The saver installer reads it as "*.jpg".
QString SaverSetFolder(AppContext& c);

// The photo the photo window acts on: the shown photo, or before any choice the disc's
// "57053.JPG"; and its file name.
QString photoWindowSource(AppContext& c);
QString photoWindowName(AppContext& c);

// Sets CopyTarget to the shown photo's place in the set and, while the photo window is open,
// enables exactly one of its add and remove buttons.
void RefreshSaverButtons(AppContext& c);

} // namespace kv
