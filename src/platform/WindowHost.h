// SPDX-License-Identifier: MIT
#pragma once
// What the window table tells whoever shows a window on screen (the Qt host).
// A window without a host works the same, headless: tests drive it directly.

#include "platform/Accessibility.h"
#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

namespace lumarin::platform {

class IWindowHost {
public:
    virtual ~IWindowHost() = default;
    virtual void invalidated() = 0;       // schedule a WM_PAINT
    virtual void surfaceChanged() = 0;    // the client surface received pixels
    virtual void scrollBarsChanged() = 0; // range, page, position, shown or enabled state
    virtual void frameChanged() = 0;      // styles, frame or size changed (also when
                                          // the host's own SetWindowPos did it)
    virtual void focusRequested() = 0;    // SetFocus gave this window the focus
    virtual void captureChanged(bool captured) = 0;
    virtual void cursorChanged(HCURSOR cursor) = 0;
    virtual void topMostChanged(bool topMost) = 0;
    virtual void timerStarted(UINT_PTR id, UINT elapseMs) = 0;
    virtual void timerStopped(UINT_PTR id) = 0;
    virtual POINT screenOrigin() const = 0; // client (0, 0) on screen
    // The window is gone (after WM_NCDESTROY); its handle is no longer valid.
    virtual void windowDestroyed() {}
    // What the window's IAccessibleWindow answers has changed (NotifyAccessibleEvent).
    virtual void accessibleEvent(AccessibleEvent /*event*/, int /*row*/) {}
};

// At most one host per window; nullptr detaches. The host must detach before
// it goes away; DestroyWindow detaches it too.
void AttachWindowHost(HWND hwnd, IWindowHost* host);
IWindowHost* GetWindowHost(HWND hwnd);

// The client surface that GetDC/BeginPaint draw into; resized with the client area.
const PixelBuffer* GetWindowSurface(HWND hwnd);

// Without a host the pointer position is whatever was last set here (tests);
// the Qt host keeps it current from real input.
void SetCurrentCursorPos(POINT screen);

// What GetKeyState reports for a virtual key (VK_SHIFT, VK_CONTROL, VK_MENU ...);
// set by the host on every key and mouse event, by tests directly.
void SetKeyState(int vk, bool down);

// Sends WM_TIMER if the timer runs: the host calls it when one is due, tests
// call it for windows without a host. A host that attaches is told of the
// window's running timers; one that detaches stops its own.
void FireTimer(HWND hwnd, UINT_PTR id);
bool IsTimerRunning(HWND hwnd, UINT_PTR id);

} // namespace lumarin::platform
