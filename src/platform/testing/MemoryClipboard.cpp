// SPDX-License-Identifier: MIT
#include "platform/testing/MemoryClipboard.h"

namespace lumarin::platform::testing {

void MemoryClipboard::Clear() {
    m_text.clear();
    ++m_clears;
}

void MemoryClipboard::SetText(const std::u16string& text) {
    m_text = text;
    ++m_sets;
}

} // namespace lumarin::platform::testing
