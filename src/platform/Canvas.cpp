// SPDX-License-Identifier: MIT
#include "platform/Canvas.h"

#include "platform/WindowSurface.h"

namespace lumarin::platform {

Canvas::Canvas(HDC hdc) {
    GdiObjectTable& table = GdiObjectTable::instance();
    m_dc = table.find<DeviceContext>(hdc);
    if (!m_dc) return;
    if (m_dc->window) {
        m_pixels = MutableWindowSurface(m_dc->window);
    } else if (GdiBitmap* bitmap = table.find<GdiBitmap>(m_dc->bitmap)) {
        m_pixels = &bitmap->pixels;
    }
}

Canvas::~Canvas() {
    if (m_changed && m_dc && m_dc->window) SurfaceUpdated(m_dc->window);
}

} // namespace lumarin::platform
