// SPDX-License-Identifier: MIT
#pragma once
// One colour of the list control with the brush and pen drawn in it. Keeps the
// OLE colour as given (a system colour stays one), its RGB translation, and
// owns the brush and pen it was asked for.

#include "platform/WinTypes.h"

#include <cstdint>

namespace lumarin::listview {

class Color {
public:
    Color() = default;
    ~Color();
    Color(const Color&) = delete;
    Color& operator=(const Color&) = delete;

    std::int32_t OLEColor() const { return m_lngOLEColor; }
    std::int32_t RGBColor() const { return m_lngRGBColor; } // -1 when untranslatable
    platform::HBRUSH GDIBrush() const { return m_hBrush; }
    bool GotGDIBrush() const { return m_blnGotBrush; }
    platform::HPEN GDIPen() const { return m_hPen; }
    bool GotGDIPen() const { return m_blnGotPen; }

    void Dispose();
    // Rebuilds the held brush and pen from the stored colour (after the system colours change).
    void Update();
    // False when the colour cannot be translated; nothing is held then.
    bool SetColor(std::int32_t OLEColor, bool CreateBrush = false, bool CreatePen = false);

private:
    void deleteObjects();
    void createObjects(bool brush, bool pen);

    std::int32_t m_lngOLEColor = -1;
    std::int32_t m_lngRGBColor = -1;
    platform::HBRUSH m_hBrush = 0;
    platform::HPEN m_hPen = 0;
    bool m_blnGotBrush = false;
    bool m_blnGotPen = false;
};

// OleTranslateColor without a palette: the RGB value, or -1 when it fails.
std::int32_t TranslateOleColor(std::int32_t oleColor);

} // namespace lumarin::listview
