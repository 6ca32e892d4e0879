#pragma once
// A shell for tests: records the addresses it was asked to open.

#include "platform/Services.h"

#include <vector>

namespace lumarin::platform::testing {

class RecordingShell final : public IShell {
public:
    bool OpenUrl(const std::u16string& url) override {
        m_urls.push_back(url);
        return m_succeeds;
    }
    void SetSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const std::vector<std::u16string>& OpenedUrls() const { return m_urls; }

private:
    std::vector<std::u16string> m_urls;
    bool m_succeeds = true;
};

} // namespace lumarin::platform::testing
