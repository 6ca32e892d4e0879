// SPDX-License-Identifier: MIT
#include "platform/DataObject.h"

namespace lumarin::platform {

bool DataObject::GetFormat(int format) const {
    switch (format) {
    case vbCFFiles:
        return !m_files.empty();
    case vbCFText:
        return !m_text.empty();
    default:
        return false;
    }
}

} // namespace lumarin::platform
