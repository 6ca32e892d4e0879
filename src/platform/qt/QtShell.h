// SPDX-License-Identifier: MIT
#pragma once
// Opens web addresses in the desktop's default browser and folders in its file
// manager.

#include "platform/Services.h"

namespace lumarin::platform::qt {

class QtShell final : public IShell {
public:
    bool OpenUrl(const std::u16string& url) override;
    bool OpenFolder(const std::u16string& folder) override;
};

} // namespace lumarin::platform::qt
