#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kv {

// Pictures claiming more pixels than this are refused before any decoding.
inline constexpr qint64 MaxImagePixels = 100'000'000;

// Reads a picture, decoded no larger than `fitInto` (keeping proportions) when that is given.
// A damaged or hostile file, or one that is not a regular file, gives a null image and
// the reason, never a crash.
QImage loadImage(const QString& path, const QSize& fitInto = {}, QString* error = nullptr);

// Caps what one picture may allocate; set once at start-up.
void limitImageMemory(int megabytes = 256);

} // namespace kv
