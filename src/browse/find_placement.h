#pragma once

#include <QRect>
#include <QSize>

namespace kv {

// Where the Find window's frame goes so that what a result shows stays in sight: beside the
// main window where the screen has room (right, then left), else below or above it, else
// beside `keepClear` (the photo and its caption) over the main window; narrowed down to
// `smallest` to fit. Null when no place leaves `keepClear` in sight.
QRect findWindowPlace(const QRect& screen, const QRect& main, const QRect& keepClear, QSize wanted, QSize smallest);

} // namespace kv
