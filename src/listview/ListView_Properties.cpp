// SPDX-License-Identifier: MIT
// Behaviour and appearance properties. Each setter stores its value and then
// runs its fixed follow-up: redraw, refresh, and the notification that tells
// the host the stored form changed.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

#include <algorithm>
#include <limits>

namespace lumarin::listview {

using namespace platform;

void ListView::ColumnsVisible(bool blnVal) {
    m_blnColumnsVisible = blnVal;
    Refresh();
    NotifyPropertyChanged(u"ColumnsVisible");
}

void ListView::Sortable(bool blnVal) {
    m_blnSortable = blnVal;
    NotifyPropertyChanged(u"Sortable");
}

void ListView::ItemsAutoSize(bool blnVal) {
    m_blnItemsAutoSize = blnVal;
    PaintControl();
    NotifyPropertyChanged(u"ItemsAutoSize");
}

void ListView::ItemPaddingTop(std::int32_t lngVal) {
    m_lngItemPaddingTop = lngVal;
    NotifyPropertyChanged(u"ItemPaddingTop");
    Refresh();
}

void ListView::ItemPaddingBottom(std::int32_t lngVal) {
    m_lngItemPaddingBottom = lngVal;
    NotifyPropertyChanged(u"ItemPaddingBottom");
    Refresh();
}

void ListView::ItemPaddingLeft(std::int32_t lngVal) {
    m_lngItemPaddingLeft = lngVal;
    PaintControl();
    NotifyPropertyChanged(u"ItemPaddingLeft");
}

void ListView::ItemPaddingRight(std::int32_t lngVal) {
    m_lngItemPaddingRight = lngVal;
    PaintControl();
    NotifyPropertyChanged(u"ItemPaddingRight");
}

void ListView::Checkboxes(bool blnVal) {
    m_blnCheckboxes = blnVal;
    PaintControl();
    NotifyPropertyChanged(u"Checkboxes");
}

void ListView::OLEDropMode(std::int32_t intVal) {
    if (intVal < std::numeric_limits<std::int16_t>::min() ||
        intVal > std::numeric_limits<std::int16_t>::max()) {
        RaiseError(ERR_OVERFLOW);
    }
    m_intOLEDropMode = static_cast<std::int16_t>(intVal);
    // The window accepts drops in any mode but "none".
    DragAcceptFiles(m_hWnd, m_intOLEDropMode != 0);
    NotifyPropertyChanged(u"OLEDropMode");
}

void ListView::SolidFocusRect(bool blnVal) {
    m_blnSolidFocusRect = blnVal;
    PaintControl();
}

void ListView::DrawCallback(ICustomDraw* cls) {
    m_clsDrawCallback = cls != nullptr ? cls : this;
    PaintControl();
}

void ListView::BorderStyle(std::int32_t udeBS) {
    m_udeBorderStyle = udeBS;
    ApplyBorderStyle(m_hWnd, udeBS);
    NotifyPropertyChanged(u"BorderStyle");
}

void ListView::Enabled(bool blnValue) {
    m_blnEnabled = blnValue;
    Refresh();
    NotifyPropertyChanged(u"Enabled");
}

void ListView::ColumnsAutoSize(bool blnValue) {
    m_blnColumnsAutoSize = blnValue;
    Refresh();
    NotifyPropertyChanged(u"ColumnsAutoSize");
}

void ListView::Reorder(bool blnValue) {
    m_blnReorder = blnValue;
    NotifyPropertyChanged(u"Reorder");
}

void ListView::MultiSelect(bool blnValue) {
    m_blnMultiSelect = blnValue;
    NotifyPropertyChanged(u"MultiSelect");
}

void ListView::SetColorProperty(Color& color, std::int32_t lngOleColor, bool brush, bool pen,
                                const std::u16string& name) {
    color.SetColor(lngOleColor, brush, pen);
    PaintControl();
    NotifyPropertyChanged(name);
}

void ListView::CheckboxColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsCheckboxColor, lngOleColor, false, true, u"CheckboxColor");
}

void ListView::CheckboxSelectedColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsCheckboxSelectedColor, lngOleColor, false, true,
                     u"CheckboxSelectedColor");
}

void ListView::BackColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsBackColor, lngOleColor, true, false, u"BackColor");
}

void ListView::ForeColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsForeColor, lngOleColor, false, false, u"ForeColor");
}

void ListView::SelectedForeColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsSelectedForeColor, lngOleColor, false, false, u"SelectedForeColor");
}

void ListView::SelectedBackColor(std::int32_t lngOleColor) {
    SetColorProperty(m_clsSelectedBackColor, lngOleColor, true, false, u"SelectedBackColor");
}

void ListView::FocusRectColor(std::int32_t lngOleColor) {
    // The back buffer keeps this pen selected, and a selected pen cannot be
    // deleted: hand the buffer its own pen back while the colour changes.
    if (m_hMemDC != 0 && m_hInitialPen != 0) SelectObject(m_hMemDC, m_hInitialPen);
    m_clsFocusRectColor.SetColor(lngOleColor, false, true);
    if (m_hMemDC != 0 && m_clsFocusRectColor.GotGDIPen()) {
        SelectObject(m_hMemDC, m_clsFocusRectColor.GDIPen());
    }
    PaintControl();
    NotifyPropertyChanged(u"FocusRectColor");
}

void ListView::ConnectFont(std::shared_ptr<StdFont> clsFont) {
    DisconnectFont();
    m_clsFont = clsFont ? std::move(clsFont) : std::make_shared<StdFont>();
    m_lngFontListener = m_clsFont->AddListener([this](const std::u16string&) { CreateListFont(); });
}

void ListView::DisconnectFont() {
    if (m_clsFont && m_lngFontListener != 0) m_clsFont->RemoveListener(m_lngFontListener);
    m_lngFontListener = 0;
    m_clsFont.reset();
}

void ListView::Font(std::shared_ptr<StdFont> clsNewFont) {
    ConnectFont(std::move(clsNewFont));
    CreateListFont();
    Refresh();
    NotifyPropertyChanged(u"Font");
}

void ListView::Redraw(bool blnVal) {
    m_blnRedraw = blnVal;
    if (blnVal) Refresh();
}

std::int32_t ListView::ItemHeight() const {
    if (!m_blnItemsAutoSize)
        return m_lngTextHeight + ScaleToDevice(m_lngItemPaddingTop + m_lngItemPaddingBottom);
    std::int32_t height = m_lngTextHeight + ScaleToDevice(4);
    if (m_blnCheckboxes) height = std::max(height, ScaleToDevice(19));
    return height == 0 ? 1 : height;
}

void ListView::Refresh() {
    CalculateLayout();
    UpdateVerticalScroll();
    PaintControl();
}

} // namespace lumarin::listview
