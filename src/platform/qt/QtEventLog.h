// SPDX-License-Identifier: MIT
#pragma once
// The application's event log: error entries to standard error and syslog(3).

#include "platform/Services.h"

namespace lumarin::platform::qt {

class QtEventLog final : public IEventLog {
public:
    QtEventLog();
    ~QtEventLog() override;
    QtEventLog(const QtEventLog&) = delete;
    QtEventLog& operator=(const QtEventLog&) = delete;

    void LogError(const std::u16string& entry) override;
};

} // namespace lumarin::platform::qt
