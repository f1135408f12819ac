#pragma once

#include <QRect>
#include <QSize>

namespace kv {

struct AppContext;

// Stored window geometry made safe to apply: the window always lands where it can be seen.
QRect sanitizedGeometry(const QString& left, const QString& top, const QString& width,
                        const QString& height, const QSize& screen);
void restoreGeometry(AppContext& c);

void ApplyCompactLayout(AppContext& c);
void ToggleTaskbar(AppContext& c);
void ShowTaskbar(AppContext& c);
void Form1_Resize(AppContext& c);
// The main window closes: sound off, taskbar back, geometry stored.
void Form1_QueryUnload(AppContext& c);
// The window's own controls: the taskbar entry, Exit, resizing and closing.
void wireMainWindow(AppContext& c);

} // namespace kv
