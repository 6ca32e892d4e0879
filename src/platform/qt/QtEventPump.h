// SPDX-License-Identifier: MIT
#pragma once
// DoEvents: lets pending Qt events (paints, input, timers) run.

#include "platform/Services.h"

namespace lumarin::platform::qt {

class QtEventPump final : public IEventPump {
public:
    void DoEvents() override;
};

} // namespace lumarin::platform::qt
