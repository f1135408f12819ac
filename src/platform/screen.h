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

class QtScreen final : public IScreen
{
public:
    QSize sizePixels() const override;
};

} // namespace kv
