#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kv {

struct AppContext;

// Keeps a window above all ordinary windows, or lets it go, without moving or sizing it.
void SetTopmost(QWidget* window, bool topmost);
// Starts a program; `ended(true)` follows its end, `ended(false)` a failure to start.
void RunProgram(AppContext& c, const QString& commandLine, std::function<void(bool ran)> ended);
// True only when the screen is exactly `width` by `height` pixels.
bool CheckScreenSize(AppContext& c, int width, int height);
// Releases the photo window from staying on top and unloads it, when it is open: every action
// that opens another window or panel does this first.
void closePhotoWindow(AppContext& c);

} // namespace kv
