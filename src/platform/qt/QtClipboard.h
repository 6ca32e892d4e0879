// SPDX-License-Identifier: MIT
#pragma once
// The desktop clipboard through QClipboard (text only).

#include "platform/Services.h"

namespace lumarin::platform::qt {

class QtClipboard final : public IClipboard {
public:
    void Clear() override;
    void SetText(const std::u16string& text) override;
    std::u16string GetText() const override;
};

} // namespace lumarin::platform::qt
