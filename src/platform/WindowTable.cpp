// SPDX-License-Identifier: MIT
#include "platform/WindowTable.h"

#include "platform/Window.h"

#include <QString>
#include <limits>

namespace lumarin::platform {

WindowTable& WindowTable::instance() {
    static WindowTable table;
    return table;
}

WindowRecord* WindowTable::find(HWND hwnd) {
    const auto it = m_windows.find(hwnd);
    return it == m_windows.end() ? nullptr : it->second.get();
}

WindowRecord* WindowTable::lookup(HWND hwnd) {
    WindowRecord* record = find(hwnd);
    if (record == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return record;
}

HWND WindowTable::add(std::unique_ptr<WindowRecord> record) {
    if (m_lastHandle == std::numeric_limits<HWND>::max()) return 0;
    const HWND hwnd = ++m_lastHandle;
    record->handle = hwnd;
    m_windows.emplace(hwnd, std::move(record));
    return hwnd;
}

void WindowTable::remove(HWND hwnd) {
    m_windows.erase(hwnd);
}

std::vector<HWND> WindowTable::handles() const {
    std::vector<HWND> result;
    result.reserve(m_windows.size());
    for (const auto& [hwnd, record] : m_windows)
        result.push_back(hwnd);
    return result;
}

std::vector<HWND> WindowTable::children(HWND parent) const {
    std::vector<HWND> result;
    for (const auto& [hwnd, record] : m_windows) {
        if (record->parent == parent) result.push_back(hwnd);
    }
    return result;
}

ATOM WindowTable::registerClass(const WNDCLASS& wc) {
    const std::u16string key = FoldCase(wc.lpszClassName);
    auto it = m_classes.find(key);
    if (it != m_classes.end()) {
        it->second.wc = wc;
        return it->second.atom;
    }
    if (m_nextAtom == std::numeric_limits<ATOM>::max()) return 0;
    const ATOM atom = m_nextAtom++;
    m_classes.emplace(key, ClassEntry{wc, atom});
    return atom;
}

std::optional<WNDCLASS> WindowTable::findClass(const std::u16string& name) const {
    const auto it = m_classes.find(FoldCase(name));
    if (it == m_classes.end()) return std::nullopt;
    return it->second.wc;
}

std::u16string FoldCase(const std::u16string& text) {
    return QString::fromStdU16String(text).toCaseFolded().toStdU16String();
}

} // namespace lumarin::platform
