// SPDX-License-Identifier: MIT
#pragma once
// A message box for tests: remembers every box and answers from a script.

#include "platform/Services.h"

#include <deque>
#include <vector>

namespace lumarin::platform::testing {

class RecordingMessageBox final : public IMessageBox {
public:
    struct Call {
        HWND owner = 0;
        std::u16string text;
        std::u16string title;
        UINT flags = 0;
    };

    // Returns the next scripted answer, or the default answer once the script is used up.
    int Show(HWND owner, const std::u16string& text, const std::u16string& title,
             UINT flags) override;

    void ScriptAnswer(int answer) { m_script.push_back(answer); }
    void SetDefaultAnswer(int answer) { m_defaultAnswer = answer; }
    const std::vector<Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<Call> m_calls;
    std::deque<int> m_script;
    int m_defaultAnswer = IDOK;
};

} // namespace lumarin::platform::testing
