#pragma once

#include <QRect>

// The window layouts are designed in twips: 15 twips to a pixel at 96 dpi.
namespace kv {
constexpr int TwipsPerPixel = 15;
int twipsToPixels(int twips);
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }
// A control's place, given in twips as the layouts are.
inline QRect twipRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
} // namespace kv
