// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/TextUtil.h"

#include <string>
#include <string_view>

namespace lumarin::engine::test {

// UTF-8 for readable failure messages.
inline std::string U8(std::u16string_view text) {
    return ToUtf8(text);
}

} // namespace lumarin::engine::test
