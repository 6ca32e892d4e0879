// SPDX-License-Identifier: MIT
#pragma once
// One row of the list: a text per column plus selection, check mark and tag.

#include <cstdint>
#include <string>
#include <vector>

namespace lumarin::listview {

class ListItem {
public:
    // Error 9 when Index is not a text slot.
    const std::u16string& Text(std::int32_t Index) const;
    void Text(std::int32_t Index, const std::u16string& strText);

    bool Selected() const { return m_blnSelected; }
    void Selected(bool blnVal) { m_blnSelected = blnVal; }
    std::int32_t Tag() const { return m_lngTag; }
    void Tag(std::int32_t lngTag) { m_lngTag = lngTag; }
    bool Checked() const { return m_blnChecked; }
    void Checked(bool blnVal) { m_blnChecked = blnVal; }

    // Discards every text and makes `items` empty ones.
    void SetSubItemCount(std::int32_t items);
    std::int32_t SubItemCount() const { return static_cast<std::int32_t>(m_strTexts.size()); }

private:
    std::vector<std::u16string> m_strTexts;
    bool m_blnSelected = false;
    std::int32_t m_lngTag = 0;
    bool m_blnChecked = false;
};

} // namespace lumarin::listview
