// SPDX-License-Identifier: MIT
#include "platform/Utf8.h"

#include <QString>

namespace lumarin::platform {

std::string Utf8(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::u16string Utf16(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU16String();
}

} // namespace lumarin::platform
