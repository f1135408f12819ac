#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kv {

// Pictures claiming more pixels than this are refused before any decoding.
inline constexpr qint64 MaxImagePixels = 100'000'000;

// Reads a picture, for showing in a box of `fitInto` when that is given: decoded at
// nativeScaledSize(), so it may be larger than the box; the painter does the final fit.
// A damaged or hostile file, or one that is not a regular file, gives a null image and
// the reason, never a crash.
QImage loadImage(const QString& path, const QSize& fitInto = {}, QString* error = nullptr);

// The size a picture of `full` pixels is decoded at for a box of `fitInto`: its own size, or
// 1/2, 1/4 or 1/8 of it when it is at least that many times larger than the box.
QSize nativeScaledSize(const QSize& full, const QSize& fitInto);

// Caps what one picture may allocate; set once at start-up.
void limitImageMemory(int megabytes = 256);

} // namespace kv
