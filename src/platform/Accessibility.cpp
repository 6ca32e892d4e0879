// SPDX-License-Identifier: MIT
#include "platform/Accessibility.h"

#include "platform/Window.h"
#include "platform/WindowHost.h"

namespace lumarin::platform {

IAccessibleWindow* GetAccessibleWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    return reinterpret_cast<IAccessibleWindow*>(SendMessage(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT));
}

void NotifyAccessibleEvent(HWND hwnd, AccessibleEvent event, int row) {
    if (IWindowHost* host = GetWindowHost(hwnd)) host->accessibleEvent(event, row);
}

} // namespace lumarin::platform
