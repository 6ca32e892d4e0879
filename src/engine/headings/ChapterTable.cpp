// SPDX-License-Identifier: MIT
#include "engine/headings/ChapterTable.h"

#include "engine/base/TextUtil.h"

namespace lumarin::engine {

std::u16string ChapterTable::previewText(std::size_t k) const {
    return ToU16Decimal(m_intChapterNo.at(k)) + u"-" + m_strTitle.at(k);
}

} // namespace lumarin::engine
