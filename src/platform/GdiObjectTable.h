// SPDX-License-Identifier: MIT
#pragma once
// The table behind every HGDIOBJ: bitmaps, brushes, pens, fonts and device
// contexts. Handles count up from 1 and are never handed out twice, so a stale
// handle is recognised as dead instead of reaching a newer object. Stock objects
// live in the table for the whole run and ignore DeleteObject.

#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

#include <unordered_map>
#include <variant>

namespace lumarin::platform {

struct GdiBitmap {
    PixelBuffer pixels;
};

struct GdiBrush {
    COLORREF color = 0;
    bool hollow = false; // NULL_BRUSH: fills paint nothing
};

struct GdiPen {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct GdiFont {
    LOGFONT logFont;
};

struct DeviceContext {
    HWND window = 0; // 0 for a memory DC, which draws into its selected bitmap
    HBITMAP bitmap = 0;
    HBRUSH brush = 0;
    HPEN pen = 0;
    HFONT font = 0;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    POINT position;
};

using GdiObject = std::variant<GdiBitmap, GdiBrush, GdiPen, GdiFont, DeviceContext>;

class GdiObjectTable {
public:
    static GdiObjectTable& instance();

    HGDIOBJ add(GdiObject object);
    // nullptr when the handle is no object of type T (or no object at all).
    template <class T> T* find(HGDIOBJ handle) {
        Entry* entry = lookup(handle);
        return entry ? std::get_if<T>(&entry->object) : nullptr;
    }
    DWORD typeOf(HGDIOBJ handle);

    // Fails for stock objects, DCs and objects selected into a DC.
    bool removeObject(HGDIOBJ handle);
    // Releases what the DC holds selected, then the DC itself.
    bool removeDC(HDC hdc);

    // The previous object of the same kind, or 0 when the object cannot go
    // into this DC (a bitmap into a window DC or into a second memory DC).
    HGDIOBJ select(HDC hdc, HGDIOBJ object);

    HGDIOBJ stockObject(int index) const;
    void selectDefaults(DeviceContext& dc);

private:
    struct Entry {
        GdiObject object;
        bool stock = false;
        int selections = 0; // DCs holding this object selected
    };

    GdiObjectTable();
    Entry* lookup(HGDIOBJ handle);
    HGDIOBJ addStock(GdiObject object);
    void retain(HGDIOBJ handle);
    void release(HGDIOBJ handle);
    HGDIOBJ swapSelection(HGDIOBJ& slot, HGDIOBJ object);

    std::unordered_map<HGDIOBJ, Entry> m_entries;
    HGDIOBJ m_next = 1;
    std::unordered_map<int, HGDIOBJ> m_stock;
    HBITMAP m_defaultBitmap = 0; // what a new memory DC holds before anything is selected
};

} // namespace lumarin::platform
