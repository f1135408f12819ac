#pragma once

#include <QString>

class QObject;

namespace kv {

// Starts the media back-end once, off screen and silent, and lets a film load as far as its
// first picture, so that its plug-ins and the video output are in memory before the first
// window that plays one opens. Everything made for it is gone again once the film has loaded,
// failed, or five seconds have passed, or with `owner`.
void warmUpMediaBackEnd(const QString& film, QObject* owner);

} // namespace kv
