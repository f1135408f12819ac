#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include <functional>

namespace kv {

// An icon that `paint` draws afresh at each size it is shown at, in device pixels: a button's
// icon stays sharp at any layout scale and screen pixel ratio.
QIcon paintedIcon(std::function<QPixmap(const QSize&)> paint);

} // namespace kv
