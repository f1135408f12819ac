#pragma once

#include <QSize>

namespace kv {

class IScreen
{
public:
    virtual ~IScreen() = default;
    // Primary screen size in logical pixels.
    virtual QSize sizePixels() const = 0;
    // What windows may take of it: the screen less the desktop's panels.
    virtual QSize availablePixels() const { return sizePixels(); }
};

// False where the window system alone places top-level windows (Wayland): a position asked for
// there is ignored, and the positions Qt reports are not where the windows are.
bool canPlaceWindows();

class QtScreen final : public IScreen
{
public:
    QSize sizePixels() const override;
    QSize availablePixels() const override;
};

} // namespace kv
