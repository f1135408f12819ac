#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace kv {

// Every window keeps its designed layout and is shown at one uniform scale of it: places,
// sizes, fonts, style sheet lengths and icons. Scales a user may choose go in steps of a quarter.
constexpr double ScaleStep = 0.25;
constexpr double MaxScale = 4.0;

// The largest step from 1 at which `designed` fits inside `area`; 1 when even that does not.
double fittingScale(const QSize& designed, const QSize& area);
// A scale as a user writes it ("1", "1.5"): a step from 1 to 4, else nothing.
std::optional<double> parseScale(const QString& text);

// Shows `root` and the controls inside it at `scale` times the layout they were designed with.
// The designed places are learnt on the first call; a control the window's own code moved or
// resized since the last call keeps that change, taken back to the designed scale. A top-level
// root is resized too (never beyond the screen, not when maximised); an inner root keeps its
// place. Controls placed by a layout are left to it, its margins and spacing scaled instead.
void applyLayoutScale(QWidget* root, double scale);
// The scale `root` is shown at: 1 until applyLayoutScale was called for it.
double layoutScale(const QWidget* root);

// From now on every window first shown besides `mainWindow` opens at the scale `scale` gives
// at that moment, and a control made later inside a scaled window joins its window's scale.
void scaleNewWindows(QWidget* mainWindow, std::function<double()> scale);
// The scale a window first shown now opens at: 1 before scaleNewWindows.
double newWindowScale();
// A window that places its controls itself, at its layoutScale(): given the scale, it has its
// fonts, style sheets and icons scaled, then a resize event to place its controls.
void placesItsOwnControls(QWidget* window);

} // namespace kv
