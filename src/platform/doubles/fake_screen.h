#pragma once

#include "platform/busy_pointer.h"
#include "platform/screen.h"

namespace kv {

class FakeScreen final : public IScreen
{
public:
    QSize sizePixels() const override { return size; }
    QSize availablePixels() const override { return available.isValid() ? available : size; }
    QSize size{800, 600};
    QSize available; // the whole screen when not set
};

class FakeBusyPointer final : public IBusyPointer
{
public:
    void busy() override
    {
        m_busy = true;
        ++busyCalls;
    }
    void normal() override { m_busy = false; }
    bool isBusy() const override { return m_busy; }
    int busyCalls = 0;

private:
    bool m_busy = false;
};

} // namespace kv
