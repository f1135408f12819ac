#pragma once

#include <QSize>

namespace kv {

class IScreen
{
public:
    virtual ~IScreen() = default;
    // Primary screen size in logical pixels.
    virtual QSize sizePixels() const = 0;
};

// False where the window system alone places top-level windows (Wayland): a position asked for
// there is ignored, and the positions Qt reports are not where the windows are.
bool canPlaceWindows();

class QtScreen final : public IScreen
{
public:
    QSize sizePixels() const override;
};

} // namespace kv
