// SPDX-License-Identifier: MIT
#include "listview/ListItem.h"

#include "listview/ListViewError.h"

namespace lumarin::listview {

const std::u16string& ListItem::Text(std::int32_t Index) const {
    if (Index < 0 || Index >= SubItemCount()) RaiseError(ERR_SUBSCRIPT);
    return m_strTexts[static_cast<std::size_t>(Index)];
}

void ListItem::Text(std::int32_t Index, const std::u16string& strText) {
    if (Index < 0 || Index >= SubItemCount()) RaiseError(ERR_SUBSCRIPT);
    m_strTexts[static_cast<std::size_t>(Index)] = strText;
}

void ListItem::SetSubItemCount(std::int32_t items) {
    m_strTexts.clear();
    m_strTexts.resize(items > 0 ? static_cast<std::size_t>(items) : 0);
}

} // namespace lumarin::listview
