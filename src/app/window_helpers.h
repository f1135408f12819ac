#pragma once

#include <QString>

class QWidget;

namespace kv {

struct AppContext;

// Keeps a window above all ordinary windows, or lets it go, without moving or sizing it.
void SetTopmost(QWidget* window, bool topmost);
// Starts a program and waits for its end while the windows keep repainting.
bool RunAndWait(AppContext& c, const QString& commandLine);

} // namespace kv
