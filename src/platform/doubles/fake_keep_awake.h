#pragma once

#include "platform/keep_awake.h"

namespace kv {

class FakeKeepAwake final : public IKeepAwake
{
public:
    void hold(const QString&) override
    {
        if (!m_holding)
            ++holds;
        m_holding = true;
    }
    void release() override { m_holding = false; }
    bool holding() const override { return m_holding; }

    int holds = 0;

private:
    bool m_holding = false;
};

} // namespace kv
