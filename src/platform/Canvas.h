// SPDX-License-Identifier: MIT
#pragma once
// The pixels one drawing call works on. A memory DC draws into its selected
// bitmap; a window DC into its window's surface, looked up afresh on every call
// because the surface follows the client size. When the call changed a window
// surface, the window table hears of it once, as the canvas goes away.

#include "platform/GdiObjectTable.h"

namespace lumarin::platform {

class Canvas {
public:
    explicit Canvas(HDC hdc);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // False for a handle that is no DC, or a DC whose window is gone.
    bool valid() const { return m_dc && m_pixels; }
    DeviceContext& dc() { return *m_dc; }
    PixelBuffer& pixels() { return *m_pixels; }
    void markChanged() { m_changed = true; }

private:
    DeviceContext* m_dc = nullptr;
    PixelBuffer* m_pixels = nullptr;
    bool m_changed = false;
};

} // namespace lumarin::platform
