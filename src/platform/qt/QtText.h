// SPDX-License-Identifier: MIT
#pragma once
// Strings cross into Qt here: the program keeps UTF-16 in std::u16string.

#include <QString>
#include <string_view>

namespace lumarin::platform::qt {

inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace lumarin::platform::qt
