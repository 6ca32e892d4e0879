// SPDX-License-Identifier: MIT
#include "platform/GdiObjectTable.h"

#include "platform/Gdi.h"

#include <cassert>

namespace lumarin::platform {

namespace {

// 8 points at 96 pixels per inch, the usual size of a dialog font.
constexpr LONG kDefaultCharHeight = -11;

LOGFONT DefaultLogFont() {
    LOGFONT lf;
    lf.lfHeight = kDefaultCharHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    return lf;
}

} // namespace

GdiObjectTable& GdiObjectTable::instance() {
    static GdiObjectTable table;
    return table;
}

GdiObjectTable::GdiObjectTable() {
    m_stock[WHITE_BRUSH] = addStock(GdiBrush{RGB(255, 255, 255)});
    m_stock[LTGRAY_BRUSH] = addStock(GdiBrush{RGB(192, 192, 192)});
    m_stock[GRAY_BRUSH] = addStock(GdiBrush{RGB(128, 128, 128)});
    m_stock[DKGRAY_BRUSH] = addStock(GdiBrush{RGB(64, 64, 64)});
    m_stock[BLACK_BRUSH] = addStock(GdiBrush{RGB(0, 0, 0)});
    m_stock[NULL_BRUSH] = addStock(GdiBrush{0, true});
    m_stock[WHITE_PEN] = addStock(GdiPen{PS_SOLID, 1, RGB(255, 255, 255)});
    m_stock[BLACK_PEN] = addStock(GdiPen{PS_SOLID, 1, RGB(0, 0, 0)});
    m_stock[NULL_PEN] = addStock(GdiPen{PS_NULL, 1, 0});
    m_stock[SYSTEM_FONT] = addStock(GdiFont{DefaultLogFont()});
    m_stock[DEFAULT_GUI_FONT] = addStock(GdiFont{DefaultLogFont()});
    m_defaultBitmap = addStock(GdiBitmap{PixelBuffer(1, 1, ToPixel(RGB(255, 255, 255)))});
}

HGDIOBJ GdiObjectTable::add(GdiObject object) {
    HGDIOBJ handle = m_next++;
    m_entries.emplace(handle, Entry{std::move(object)});
    return handle;
}

HGDIOBJ GdiObjectTable::addStock(GdiObject object) {
    HGDIOBJ handle = add(std::move(object));
    m_entries.at(handle).stock = true;
    return handle;
}

GdiObjectTable::Entry* GdiObjectTable::lookup(HGDIOBJ handle) {
    auto it = m_entries.find(handle);
    return it == m_entries.end() ? nullptr : &it->second;
}

DWORD GdiObjectTable::typeOf(HGDIOBJ handle) {
    Entry* entry = lookup(handle);
    if (!entry) return 0;
    struct Visitor {
        DWORD operator()(const GdiBitmap&) const { return OBJ_BITMAP; }
        DWORD operator()(const GdiBrush&) const { return OBJ_BRUSH; }
        DWORD operator()(const GdiPen&) const { return OBJ_PEN; }
        DWORD operator()(const GdiFont&) const { return OBJ_FONT; }
        DWORD operator()(const DeviceContext& dc) const { return dc.window ? OBJ_DC : OBJ_MEMDC; }
    };
    return std::visit(Visitor{}, entry->object);
}

HGDIOBJ GdiObjectTable::stockObject(int index) const {
    auto it = m_stock.find(index);
    return it == m_stock.end() ? 0 : it->second;
}

bool GdiObjectTable::removeObject(HGDIOBJ handle) {
    Entry* entry = lookup(handle);
    if (!entry || std::holds_alternative<DeviceContext>(entry->object)) return false;
    if (entry->stock) return true; // deleting a stock object is harmless and does nothing
    if (entry->selections > 0) return false;
    m_entries.erase(handle);
    return true;
}

bool GdiObjectTable::removeDC(HDC hdc) {
    DeviceContext* dc = find<DeviceContext>(hdc);
    if (!dc) return false;
    release(dc->bitmap);
    release(dc->brush);
    release(dc->pen);
    release(dc->font);
    m_entries.erase(hdc);
    return true;
}

void GdiObjectTable::selectDefaults(DeviceContext& dc) {
    dc.bitmap = dc.window ? 0 : m_defaultBitmap;
    dc.brush = stockObject(WHITE_BRUSH);
    dc.pen = stockObject(BLACK_PEN);
    dc.font = stockObject(SYSTEM_FONT);
    retain(dc.bitmap);
    retain(dc.brush);
    retain(dc.pen);
    retain(dc.font);
}

void GdiObjectTable::retain(HGDIOBJ handle) {
    if (Entry* entry = lookup(handle)) ++entry->selections;
}

void GdiObjectTable::release(HGDIOBJ handle) {
    if (Entry* entry = lookup(handle)) {
        assert(entry->selections > 0 && "releasing an object that no DC holds");
        --entry->selections;
    }
}

HGDIOBJ GdiObjectTable::swapSelection(HGDIOBJ& slot, HGDIOBJ object) {
    HGDIOBJ previous = slot;
    if (previous == object) return previous;
    retain(object);
    release(previous);
    slot = object;
    return previous;
}

HGDIOBJ GdiObjectTable::select(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = find<DeviceContext>(hdc);
    Entry* entry = lookup(object);
    if (!dc || !entry) return 0;
    switch (typeOf(object)) {
    case OBJ_BRUSH:
        return swapSelection(dc->brush, object);
    case OBJ_PEN:
        return swapSelection(dc->pen, object);
    case OBJ_FONT:
        return swapSelection(dc->font, object);
    case OBJ_BITMAP: {
        if (dc->window) return 0; // a window DC draws into its window, never into a bitmap
        // A bitmap lives in one memory DC at a time; only the stock one is shared.
        bool elsewhere = !entry->stock && entry->selections > 0 && dc->bitmap != object;
        return elsewhere ? 0 : swapSelection(dc->bitmap, object);
    }
    default:
        return 0;
    }
}

} // namespace lumarin::platform
