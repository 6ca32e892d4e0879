#pragma once
// Opens web addresses in the desktop's default browser.

#include "platform/Services.h"

namespace lumarin::platform::qt {

class QtShell final : public IShell {
public:
    bool OpenUrl(const std::u16string& url) override;
};

} // namespace lumarin::platform::qt
