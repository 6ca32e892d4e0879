// SPDX-License-Identifier: MIT
#pragma once
// Windows and messages. A window is an entry in a table owned by this layer:
// a procedure, styles, a rectangle, two scroll bars and a client-sized pixel
// surface that the Qt host shows on screen. Everything runs on one thread.

#include "platform/WinTypes.h"

namespace lumarin::platform {

// ---- classes and lifetime ----------------------------------------------------

ATOM RegisterClass(const WNDCLASS& wc); // re-registering a name replaces it
// Sends WM_NCCREATE, WM_CREATE (lParam: CREATESTRUCT*) and WM_SIZE. Returns 0
// and sets the last error when the class is unknown or WM_NCCREATE returns 0.
HWND CreateWindowEx(DWORD dwExStyle, const std::u16string& className,
                    const std::u16string& windowName, LONG style, int x, int y, int width,
                    int height, HWND parent, LONG_PTR createParam);
// Sends WM_DESTROY, then WM_NCDESTROY (the last message a window receives);
// afterwards IsWindow is false for the handle forever.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
std::u16string GetClassName(HWND hwnd);
HWND GetParent(HWND hwnd);

// ---- procedure and long values ------------------------------------------------

// GWLP_WNDPROC (returns the previous procedure as LONG_PTR), GWL_STYLE,
// GWL_EXSTYLE, GWLP_USERDATA. 0 with an error on a bad handle or index.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
inline WNDPROC ToWndProc(LONG_PTR v) {
    return reinterpret_cast<WNDPROC>(v);
}
inline LONG_PTR FromWndProc(WNDPROC p) {
    return reinterpret_cast<LONG_PTR>(p);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Handles WM_NCHITTEST (client, border, scroll-bar areas; lParam in screen
// coordinates), WM_NCCREATE (TRUE), WM_CLOSE (DestroyWindow), WM_PAINT
// (validates), WM_SETCURSOR (class cursor over the client area, else the arrow),
// WM_MOUSEWHEEL (passed on to the parent) and returns 0 otherwise.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
DWORD GetCurrentProcessId();
DWORD GetLastError();
void SetLastError(DWORD code);

// ---- geometry ------------------------------------------------------------------

// Window rectangle in the coordinates of the window's host; the client area is
// the window less its frame (from WS_BORDER, WS_THICKFRAME, WS_EX_STATICEDGE,
// WS_EX_CLIENTEDGE, WS_EX_WINDOWEDGE as of the last SWP_FRAMECHANGED or
// creation) and less each visible scroll bar.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
// Moves/sizes (unless SWP_NOMOVE/SWP_NOSIZE), recomputes the frame on
// SWP_FRAMECHANGED, joins or leaves the top-most band for HWND_TOPMOST /
// HWND_NOTOPMOST; sends WM_SIZE when the client size changed.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ClientToScreen(HWND hwnd, POINT* pt);
BOOL ScreenToClient(HWND hwnd, POINT* pt);
// Thickness of the frame on each side, and the non-client rectangles of the bars,
// in window coordinates (empty when the bar is hidden). Used by hit testing
// and by the host to place the bars it draws.
RECT GetFrameInsets(HWND hwnd);
RECT GetScrollBarRect(HWND hwnd, int bar);

// ---- painting ------------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase); // nullptr: all
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd); // sends WM_PAINT now if anything is invalid
// BeginPaint takes the update region into ps->rcPaint and validates it (what is
// invalidated while painting waits for the next WM_PAINT); a pending erase
// sends WM_ERASEBKGND first. EndPaint releases the DC.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// ---- state ---------------------------------------------------------------------

BOOL EnableWindow(HWND hwnd, BOOL enable); // sends WM_ENABLE; true if it was disabled
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int cmdShow); // SW_HIDE or any showing value; WM_SHOWWINDOW
BOOL IsWindowVisible(HWND hwnd);

// Focus: sends WM_KILLFOCUS to the window losing it (wParam: the new one), then
// WM_SETFOCUS (wParam: the old one). SetFocus(0) only takes the focus away.
// A window being destroyed gives up focus and capture before WM_DESTROY.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
// Capture: the captured window receives mouse messages while a button is held.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture(); // sends WM_CAPTURECHANGED (lParam: the window taking it, or 0)
HWND GetCapture();

// Timers send WM_TIMER (wParam = id) from the host's event loop. Setting an
// existing id again restarts it with the new interval; intervals are kept
// within 10 ms ... 0x7FFFFFFF ms; id 0 is refused. Destroying the window stops them.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

// ---- keyboard ------------------------------------------------------------------

// High bit set (the value is negative) while the key is down; 0 otherwise and for
// keys outside 0 ... 255. The host keeps it current from its key and mouse events.
SHORT GetKeyState(int vk);

// ---- pointer -------------------------------------------------------------------

BOOL GetCursorPos(POINT* pt); // screen coordinates, from the host
BOOL SetCursorPos(int x, int y);
HCURSOR LoadCursor(HCURSOR id);               // IDC_* ids are their own handles
HCURSOR SetCursor(HCURSOR cursor);            // shape over the window under the pointer
BOOL DragAcceptFiles(HWND hwnd, BOOL accept); // sets WS_EX_ACCEPTFILES

// ---- system --------------------------------------------------------------------

DWORD GetVersion(); // low byte major, next byte minor: reports 6.1
int GetSystemMetrics(int index);
BOOL SystemParametersInfo(UINT action, UINT param, void* value, UINT winIni);
DWORD GetSysColor(int index);                           // COLORREF of a system colour
int MulDiv(int number, int numerator, int denominator); // rounds to nearest; -1 on /0
// Translates an OLE colour (RGB or 0x80000000 | index) into a COLORREF.
// Returns false for an index that names no system colour.
BOOL OleTranslateColor(OLE_COLOR color, COLORREF* rgb);

// The desktop's settings, filled in by the Qt host (classic colours, 3 wheel
// lines and a device scale of 1 until then). SetSystemColor fails for an index
// that names no colour.
void SetWheelScrollLines(UINT lines);
// Device pixels per 96-dpi pixel of the screen. Windows, their surfaces and
// everything measured in them are in device pixels: the metrics, frames and
// dots per inch follow this scale. Values below 1 read as 1.
void SetDeviceScale(double scale);
double GetDeviceScale();
// A length given at 96 dpi in device pixels (halves to even).
int ScaleToDevice(int pixels96);
BOOL SetSystemColor(int index, COLORREF color);
void ResetSystemSettings(); // back to the defaults, for tests

} // namespace lumarin::platform
