// SPDX-License-Identifier: MIT
#pragma once
// A clipboard for tests: holds the text and counts how often it was written.

#include "platform/Services.h"

namespace lumarin::platform::testing {

class MemoryClipboard final : public IClipboard {
public:
    void Clear() override;
    void SetText(const std::u16string& text) override;
    std::u16string GetText() const override { return m_text; }

    int ClearCount() const { return m_clears; }
    int SetCount() const { return m_sets; }

private:
    std::u16string m_text;
    int m_clears = 0;
    int m_sets = 0;
};

} // namespace lumarin::platform::testing
