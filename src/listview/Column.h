// SPDX-License-Identifier: MIT
#pragma once
// One column and its header button. Plain fields: the control and its layout
// give them meaning.

#include <cstdint>
#include <string>

namespace lumarin::listview {

class Column {
public:
    const std::u16string& key() const { return m_strKey; }
    void key(std::u16string strKey) { m_strKey = std::move(strKey); }
    const std::u16string& Caption() const { return m_strCaption; }
    void Caption(std::u16string strText) { m_strCaption = std::move(strText); }
    std::int32_t TextAlign() const { return m_udeTextAlign; } // 0 left, 1 right, 2 centred
    void TextAlign(std::int32_t udeAlign) { m_udeTextAlign = udeAlign; }
    std::int32_t Width() const { return m_lngWidth; }
    void Width(std::int32_t lngWidth) { m_lngWidth = lngWidth; }
    std::int32_t WidthAutoSized() const { return m_lngWidthAutoSized; }
    void WidthAutoSized(std::int32_t lngWidthAuto) { m_lngWidthAutoSized = lngWidthAuto; }
    bool Pushed() const { return m_blnPushed; }
    void Pushed(bool blnVal) { m_blnPushed = blnVal; }
    bool Visible() const { return m_blnVisible; }
    void Visible(bool blnVal) { m_blnVisible = blnVal; }
    bool Resizable() const { return m_blnResizable; }
    void Resizable(bool blnVal) { m_blnResizable = blnVal; }
    std::int32_t LastSortOrder() const { return m_udeLastSortOrder; } // 0 ascending, 1 descending
    void LastSortOrder(std::int32_t udeVal) { m_udeLastSortOrder = udeVal; }

private:
    std::u16string m_strKey;
    std::u16string m_strCaption;
    std::int32_t m_udeTextAlign = 0;
    std::int32_t m_lngWidth = 0;
    std::int32_t m_lngWidthAutoSized = 0;
    bool m_blnPushed = false;
    bool m_blnVisible = false;
    bool m_blnResizable = false;
    std::int32_t m_udeLastSortOrder = 0;
};

} // namespace lumarin::listview
