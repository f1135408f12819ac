#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace kv {

// The root window of the primary screen on X11; 0 elsewhere.
quint64 rootWindowId();

// Size of another program's window, or an empty size when there is no such window.
QSize foreignWindowSize(quint64 window);

// Makes `view` a child filling `window`, following its size. False with `problem` set when the
// window cannot be used.
bool embedInto(QWidget* view, quint64 window, QString* problem);

} // namespace kv
