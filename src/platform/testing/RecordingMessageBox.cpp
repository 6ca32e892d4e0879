// SPDX-License-Identifier: MIT
#include "platform/testing/RecordingMessageBox.h"

namespace lumarin::platform::testing {

int RecordingMessageBox::Show(HWND owner, const std::u16string& text, const std::u16string& title,
                              UINT flags) {
    m_calls.push_back(Call{owner, text, title, flags});
    if (m_script.empty()) return m_defaultAnswer;
    const int answer = m_script.front();
    m_script.pop_front();
    return answer;
}

} // namespace lumarin::platform::testing
