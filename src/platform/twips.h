#pragma once

// The window layouts are designed in twips: 15 twips to a pixel at 96 dpi.
namespace kv {
constexpr int TwipsPerPixel = 15;
int twipsToPixels(int twips);
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }
} // namespace kv
