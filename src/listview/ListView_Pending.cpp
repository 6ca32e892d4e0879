// FIXME: placeholders for layout, painting, mouse, keyboard and the stored
// properties until their own files arrive (ListView_Layout.cpp, _Paint.cpp,
// _Mouse.cpp, _Keyboard.cpp, _Lifecycle.cpp); this file goes then. Painting
// here is the repaint guard alone, as a control without a back buffer does it.

#include "listview/ListView.h"

#include "platform/Window.h"

#include <cmath>

namespace lumarin::listview {

using namespace platform;

void ListView::InitializeControl() {
    ConnectFont(nullptr);
    m_clsDrawCallback = this;
    m_lngSelectedItem = -1;
    m_blnRedraw = true;
    m_lngItemPaddingBottom = 4;
    m_lngItemPaddingLeft = 4;
    m_lngItemPaddingRight = 5;
    m_lngItemPaddingTop = 4;
    m_blnItemsAutoSize = true;
    m_blnSortable = true;
}

void ListView::TerminateControl() {
    m_clsSelectedForeColor.Dispose();
    m_clsSelectedBackColor.Dispose();
    m_clsFocusRectColor.Dispose();
    m_clsForeColor.Dispose();
    m_clsBackColor.Dispose();
    m_clsCustomBack.Dispose();
    m_clsCustomFore.Dispose();
    m_clsCheckboxColor.Dispose();
    m_clsCheckboxSelectedColor.Dispose();
    DisconnectFont();
}

void ListView::ApplyDefaultProperties() {}
void ListView::LoadStoredProperties(const PropertyBag&) {}
void ListView::SaveStoredProperties(PropertyBag&) const {}

void ListView::PaintControl() {
    if (!m_blnRedraw || m_blnPainting) return;
    m_blnPainting = true;
    m_blnPainting = false;
    Events().RedrawingDone();
}

void ListView::DrawHeader() {}
void ListView::DrawItems() {}
void ListView::DrawCheckbox(const RECT&, bool, bool) {}
RECT ListView::GetTextRect(const RECT& rcCell) const { return rcCell; }

void ListView::CalculateLayout() { GetClientRect(m_hWnd, &m_rcClient); }
void ListView::UpdateVerticalScroll() {}
std::int32_t ListView::VisibleRowCount() const { return 0; }
void ListView::CreateBackBuffer() {}

void ListView::CreateListFont() {
    m_lngTextHeight = MulDiv(static_cast<int>(std::nearbyint(m_clsFont->Size())), 96, 72);
}

std::int32_t ListView::ColumnFromPoint(std::int32_t, std::int32_t) const { return -1; }
std::int32_t ListView::RowFromPoint(std::int32_t, std::int32_t, bool) const { return -1; }
void ListView::MakeSureVisible(std::int32_t, std::int32_t) {}

void ListView::UserControl_Paint() {
    PaintControl();
    ValidateRect(m_hWnd, nullptr);
}
void ListView::UserControl_Resize() { Refresh(); }
void ListView::UserControl_GotFocus() { m_blnHasFocus = true; }
void ListView::UserControl_LostFocus() { m_blnHasFocus = false; }
void ListView::UserControl_MouseDown(std::int16_t, std::int16_t, float, float) {}
void ListView::UserControl_MouseMove(std::int16_t, std::int16_t, float, float) {}
void ListView::UserControl_MouseUp(std::int16_t, std::int16_t, float, float) {}
void ListView::UserControl_Click() {
    if (m_lngSelectedItem >= 0 && m_lngSelectedItem <= m_clsItems.ItemCount() - 1) {
        Events().Click(m_lngSelectedItem);
    }
}
void ListView::UserControl_DblClick() {
    if (m_lngSelectedItem >= 0 && m_lngSelectedItem <= m_clsItems.ItemCount() - 1 &&
        m_clsItems.Item(m_lngSelectedItem)->Selected()) {
        Events().DblClick(m_lngSelectedItem);
    }
}
void ListView::UserControl_KeyDown(std::int16_t, std::int16_t) {}
void ListView::UserControl_KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    if (m_blnEnabled) Events().KeyUp(KeyCode, Shift);
}
void ListView::UserControl_KeyPress(std::int16_t KeyAscii) {
    if (m_blnEnabled) Events().KeyPress(KeyAscii);
}
void ListView::UserControl_OLEDragDrop(DropInfo& info) {
    if (!m_blnEnabled) return;
    auto effect = static_cast<std::int32_t>(info.effect);
    auto button = static_cast<std::int16_t>(info.button);
    auto shift = static_cast<std::int16_t>(info.shift);
    auto x = static_cast<float>(info.pt.x);
    auto y = static_cast<float>(info.pt.y);
    Events().OLEDragDrop(*info.data, effect, button, shift, x, y);
    info.effect = static_cast<DWORD>(effect);
}
void ListView::UserControl_OLEDragOver(DropInfo&, std::int16_t) {}
void ListView::UserControl_OLECompleteDrag(std::int32_t&) {}
void ListView::UserControl_OLEGiveFeedback(std::int32_t&, bool&) {}
void ListView::UserControl_OLESetData(DataObject&, std::int16_t&) {}
void ListView::UserControl_OLEStartDrag(DataObject&, std::int32_t&) {}
void ListView::tmrMove_Timer() {}
bool ListView::AutoScrollAtEdge(std::int32_t) { return false; }

} // namespace lumarin::listview
