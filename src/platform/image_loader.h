#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kv {

// Reads a picture, decoded no larger than `fitInto` (keeping proportions) when that is given.
// A damaged or hostile file gives a null image and the reader's reason, never a crash.
QImage loadImage(const QString& path, const QSize& fitInto = {}, QString* error = nullptr);

// Caps what one picture may allocate; set once at start-up.
void limitImageMemory(int megabytes = 256);

} // namespace kv
