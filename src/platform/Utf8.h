// SPDX-License-Identifier: MIT
#pragma once
// Text of the window layer is UTF-16; standard streams, the system log and
// exception messages take UTF-8. These two are the only conversions between
// them on this side (the engine has its own, free of Qt).

#include <string>
#include <string_view>

namespace lumarin::platform {

std::string Utf8(std::u16string_view text);
std::u16string Utf16(std::string_view utf8);

} // namespace lumarin::platform
