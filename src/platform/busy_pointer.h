#pragma once

namespace kv {

// The application-wide hourglass. Calls may be unbalanced, as in the old program: normal()
// always returns to the plain pointer.
class IBusyPointer
{
public:
    virtual ~IBusyPointer() = default;
    virtual void busy() = 0;
    virtual void normal() = 0;
    virtual bool isBusy() const = 0;
};

class QtBusyPointer final : public IBusyPointer
{
public:
    void busy() override;
    void normal() override;
    bool isBusy() const override { return m_busy; }

private:
    bool m_busy = false;
};

} // namespace kv
