// SPDX-License-Identifier: MIT
// The pointer: its position on screen and its shape.

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowTable.h"

#include <algorithm>
#include <array>
#include <vector>

namespace lumarin::platform {

namespace {

POINT g_cursorPos;
HCURSOR g_cursor = IDC_ARROW;

constexpr std::array kKnownCursors{IDC_ARROW,    IDC_IBEAM,    IDC_WAIT,   IDC_CROSS,
                                   IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS,
                                   IDC_SIZEALL,  IDC_NO,       IDC_HAND};

std::vector<IWindowHost*> AllHosts() {
    std::vector<IWindowHost*> hosts;
    for (HWND hwnd : WindowTable::instance().handles()) {
        IWindowHost* host = FindWindowRecord(hwnd)->host;
        if (host != nullptr && std::find(hosts.begin(), hosts.end(), host) == hosts.end()) {
            hosts.push_back(host);
        }
    }
    return hosts;
}

} // namespace

BOOL GetCursorPos(POINT* pt) {
    if (pt == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *pt = g_cursorPos;
    return true;
}

BOOL SetCursorPos(int x, int y) {
    g_cursorPos = POINT{x, y};
    return true;
}

void SetCurrentCursorPos(POINT screen) {
    g_cursorPos = screen;
}

HCURSOR LoadCursor(HCURSOR id) {
    if (std::find(kKnownCursors.begin(), kKnownCursors.end(), id) == kKnownCursors.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return id;
}

// The shape is global, as the pointer is: every host shows it while the
// pointer is over its window.
HCURSOR SetCursor(HCURSOR cursor) {
    const HCURSOR previous = g_cursor;
    g_cursor = cursor;
    if (cursor != previous) {
        for (IWindowHost* host : AllHosts())
            host->cursorChanged(cursor);
    }
    return previous;
}

BOOL DragAcceptFiles(HWND hwnd, BOOL accept) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (accept) {
        window->exStyle |= WS_EX_ACCEPTFILES;
    } else {
        window->exStyle &= ~static_cast<DWORD>(WS_EX_ACCEPTFILES);
    }
    if (IWindowHost* host = window->host) host->frameChanged();
    return true;
}

} // namespace lumarin::platform
