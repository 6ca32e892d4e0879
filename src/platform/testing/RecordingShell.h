// SPDX-License-Identifier: MIT
#pragma once
// A shell for tests: records the addresses and folders it was asked to open.

#include "platform/Services.h"

#include <vector>

namespace lumarin::platform::testing {

class RecordingShell final : public IShell {
public:
    bool OpenUrl(const std::u16string& url) override {
        m_urls.push_back(url);
        return m_succeeds;
    }
    bool OpenFolder(const std::u16string& folder) override {
        m_folders.push_back(folder);
        return m_succeeds;
    }
    void SetSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const std::vector<std::u16string>& OpenedUrls() const { return m_urls; }
    const std::vector<std::u16string>& OpenedFolders() const { return m_folders; }

private:
    std::vector<std::u16string> m_urls;
    std::vector<std::u16string> m_folders;
    bool m_succeeds = true;
};

} // namespace lumarin::platform::testing
