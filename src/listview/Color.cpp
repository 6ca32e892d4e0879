// SPDX-License-Identifier: MIT
#include "listview/Color.h"

#include "platform/Gdi.h"
#include "platform/Window.h"

namespace lumarin::listview {

using namespace platform;

std::int32_t TranslateOleColor(std::int32_t oleColor) {
    COLORREF rgb = 0;
    if (!OleTranslateColor(oleColor, &rgb)) return -1;
    return static_cast<std::int32_t>(rgb);
}

Color::~Color() {
    Dispose();
}

void Color::deleteObjects() {
    if (m_blnGotBrush) DeleteObject(m_hBrush);
    if (m_blnGotPen) DeleteObject(m_hPen);
    m_hBrush = 0;
    m_hPen = 0;
    m_blnGotBrush = false;
    m_blnGotPen = false;
}

void Color::createObjects(bool brush, bool pen) {
    const auto rgb = static_cast<COLORREF>(m_lngRGBColor);
    if (brush) {
        m_hBrush = CreateSolidBrush(rgb);
        m_blnGotBrush = true;
    }
    if (pen) {
        m_hPen = CreatePen(PS_SOLID, 1, rgb);
        m_blnGotPen = true;
    }
}

void Color::Dispose() {
    deleteObjects();
    m_lngOLEColor = -1;
    m_lngRGBColor = -1;
}

void Color::Update() {
    const bool hadBrush = m_blnGotBrush;
    const bool hadPen = m_blnGotPen;
    deleteObjects();
    m_lngRGBColor = TranslateOleColor(m_lngOLEColor);
    if (m_lngRGBColor == -1) return;
    createObjects(hadBrush, hadPen);
}

bool Color::SetColor(std::int32_t OLEColor, bool CreateBrush, bool CreatePen) {
    deleteObjects();
    m_lngOLEColor = OLEColor;
    m_lngRGBColor = TranslateOleColor(OLEColor);
    if (m_lngRGBColor == -1) return false;
    createObjects(CreateBrush, CreatePen);
    return true;
}

} // namespace lumarin::listview
