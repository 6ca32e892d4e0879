// SPDX-License-Identifier: MIT
#pragma once
// An event log for tests: keeps the entries in memory.

#include "platform/Services.h"

#include <vector>

namespace lumarin::platform::testing {

class RecordingEventLog final : public IEventLog {
public:
    void LogError(const std::u16string& entry) override { m_entries.push_back(entry); }
    const std::vector<std::u16string>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::u16string> m_entries;
};

} // namespace lumarin::platform::testing
