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
// "HideStatusBar": the window takes the whole screen and the entry reads "ShowStatusBar";
// pressed again (or the window resized by the user), the caption goes back.
void ToggleTaskbar(AppContext& c);
void Form1_Resize(AppContext& c);
// The main window closes: sound off, geometry stored.
void Form1_QueryUnload(AppContext& c);
// The window's own controls: HideStatusBar, Check Screen Resolution, the Help menu, Exit,
// resizing and closing.
void wireMainWindow(AppContext& c);

// Makes the main window on its first opening, with `wire` connecting its controls, closes the
// splash and shows the window where it was left.
void openMainWindow(AppContext& c, void (*wire)(AppContext&));

} // namespace kv
