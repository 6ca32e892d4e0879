// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: the table of live windows and of registered
// classes. Handles count up from 1 and are never handed out twice, so a stale
// handle can only ever miss.

#include "platform/WindowRecord.h"

#include <memory>
#include <optional>
#include <vector>

namespace lumarin::platform {

class WindowTable {
public:
    static WindowTable& instance();

    // nullptr when the handle names no live window; does not touch the last error.
    WindowRecord* find(HWND hwnd);
    // As find, but sets ERROR_INVALID_WINDOW_HANDLE when there is no such window.
    WindowRecord* lookup(HWND hwnd);
    // Takes the record, gives it the next handle; 0 when the handles ran out.
    HWND add(std::unique_ptr<WindowRecord> record);
    void remove(HWND hwnd);
    std::vector<HWND> handles() const; // live windows in creation order
    std::vector<HWND> children(HWND parent) const;

    ATOM registerClass(const WNDCLASS& wc);
    std::optional<WNDCLASS> findClass(const std::u16string& name) const;

private:
    WindowTable() = default;

    std::map<HWND, std::unique_ptr<WindowRecord>> m_windows;
    HWND m_lastHandle = 0;
    struct ClassEntry {
        WNDCLASS wc;
        ATOM atom;
    };
    std::map<std::u16string, ClassEntry> m_classes; // keyed by case-folded name
    ATOM m_nextAtom = 0xC000;
};

// Convenience for the many entry points that start with a handle check.
inline WindowRecord* LookupWindow(HWND hwnd) {
    return WindowTable::instance().lookup(hwnd);
}
inline WindowRecord* FindWindowRecord(HWND hwnd) {
    return WindowTable::instance().find(hwnd);
}

// Case folding shared by class names and stored property names.
std::u16string FoldCase(const std::u16string& text);

} // namespace lumarin::platform
