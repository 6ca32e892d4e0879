// SPDX-License-Identifier: MIT
#pragma once
// An event pump for tests: counts DoEvents calls and can run a test's action
// on each, standing in for whatever events would be pending.

#include "platform/Services.h"

#include <functional>

namespace lumarin::platform::testing {

class CountingEventPump final : public IEventPump {
public:
    void DoEvents() override {
        ++m_count;
        if (m_onPump) m_onPump();
    }
    int Count() const { return m_count; }
    void OnPump(std::function<void()> action) { m_onPump = std::move(action); }

private:
    int m_count = 0;
    std::function<void()> m_onPump;
};

} // namespace lumarin::platform::testing
