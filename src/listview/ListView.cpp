// SPDX-License-Identifier: MIT
// The control's window: its class, creation, and the one switch that turns
// window messages into the control's handlers, as a desktop host delivers
// them to a user control (focus and capture on a press, Click after a left
// release that began inside, DblClick in place of the second press).

#include "listview/ListView.h"

#include "platform/Window.h"

#include <stdexcept>

namespace lumarin::listview {

using namespace platform;

namespace {

class NoEvents final : public IListViewEvents {};

} // namespace

ListView::ListView(HWND hwndParent, int x, int y, int width, int height) {
    InitializeControl();
    static const ATOM atom = [] {
        WNDCLASS wc;
        wc.lpfnWndProc = &ListView::WindowProc;
        wc.hCursor = IDC_ARROW;
        wc.lpszClassName = ListViewClassName;
        return RegisterClass(wc);
    }();
    (void)atom;
    const LONG style = hwndParent != 0 ? (WS_CHILD | WS_VISIBLE) : WS_OVERLAPPED;
    CreateWindowEx(0, ListViewClassName, u"", style, x, y, width, height, hwndParent,
                   reinterpret_cast<LONG_PTR>(this));
    if (m_hWnd == 0) {
        TerminateControl();
        throw std::runtime_error("the list control's window could not be created");
    }
}

ListView::~ListView() {
    // Messages sent while the window goes (focus loss, destruction) must not
    // reach a half-released control or its owner.
    m_pEvents = nullptr;
    if (m_hWnd != 0) SetWindowLongPtr(m_hWnd, GWLP_USERDATA, 0);
    TerminateControl();
    DisconnectFont();
    if (m_hWnd != 0) DestroyWindow(m_hWnd);
}

LRESULT ListView::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, create->lpCreateParams);
        reinterpret_cast<ListView*>(create->lpCreateParams)->m_hWnd = hwnd;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    auto* self = reinterpret_cast<ListView*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The window may go before the object (its parent was destroyed).
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = 0;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

std::int16_t ListView::MouseButtons(WPARAM wParam) const {
    std::int16_t buttons = 0;
    if (wParam & MK_LBUTTON) buttons |= kLeftButton;
    if (wParam & MK_RBUTTON) buttons |= kRightButton;
    if (wParam & MK_MBUTTON) buttons |= kMiddleButton;
    return buttons;
}

// A mouse message carries Shift and Ctrl as they were when it was sent; Alt
// comes from the key state.
std::int16_t ListView::ShiftState(WPARAM wParam) const {
    std::int16_t shift = 0;
    if (wParam & MK_SHIFT) shift |= kShiftMask;
    if (wParam & MK_CONTROL) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

std::int16_t ListView::KeyShiftState() const {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltMask;
    return shift;
}

namespace {

std::int16_t ButtonOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return kLeftButton;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return kRightButton;
    default:
        return kMiddleButton;
    }
}

} // namespace

LRESULT ListView::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto x = static_cast<float>(GET_X_LPARAM(lParam));
    const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
    switch (msg) {
    case WM_PAINT:
        UserControl_Paint();
        return 0;
    case WM_SIZE:
        UserControl_Resize();
        return 0;
    case WM_SETFOCUS:
        UserControl_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        UserControl_LostFocus();
        return 0;

    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
        SetCapture(m_hWnd);
        if (msg == WM_LBUTTONDOWN) {
            m_blnLeftPressedInside = true;
            m_blnSkipNextClick = false;
        }
        UserControl_MouseDown(ButtonOf(msg), ShiftState(wParam), x, y);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != m_hWnd) SetFocus(m_hWnd);
        SetCapture(m_hWnd);
        m_blnLeftPressedInside = true;
        m_blnSkipNextClick = true;
        UserControl_DblClick();
        return 0;
    case WM_MOUSEMOVE:
        UserControl_MouseMove(MouseButtons(wParam), ShiftState(wParam), x, y);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == m_hWnd) {
            ReleaseCapture();
        }
        UserControl_MouseUp(ButtonOf(msg), ShiftState(wParam), x, y);
        if (msg == WM_LBUTTONUP) {
            RECT client;
            GetClientRect(m_hWnd, &client);
            const bool inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
            const bool click = m_blnLeftPressedInside && !m_blnSkipNextClick && inside;
            m_blnLeftPressedInside = false;
            m_blnSkipNextClick = false;
            if (click) UserControl_Click();
        }
        return 0;
    }

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        UserControl_KeyDown(static_cast<std::int16_t>(wParam), KeyShiftState());
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        UserControl_KeyUp(static_cast<std::int16_t>(wParam), KeyShiftState());
        return 0;
    case WM_CHAR:
        UserControl_KeyPress(static_cast<std::int16_t>(wParam));
        return 0;

    case WM_TIMER:
        if (wParam == tmrMoveId) tmrMove_Timer();
        return 0;
    case WM_SETCURSOR:
        // The pointer the movement handler chose (the sizing arrow over a
        // divider) stays until it chooses another; the default would reset it.
        if (LOWORD(static_cast<WPARAM>(lParam)) == HTCLIENT && m_hPointer != 0) {
            SetCursor(m_hPointer);
            return 1;
        }
        return DefWindowProc(m_hWnd, msg, wParam, lParam);

    case WM_GETOBJECT:
        if (lParam == OBJID_CLIENT)
            return reinterpret_cast<LRESULT>(static_cast<IAccessibleWindow*>(&m_accessible));
        return DefWindowProc(m_hWnd, msg, wParam, lParam);

    case WM_OLEDRAGENTER:
    case WM_OLEDRAGOVER:
    case WM_OLEDRAGLEAVE:
    case WM_OLEDRAGDROP: {
        auto* info = reinterpret_cast<DropInfo*>(lParam);
        if (info == nullptr || info->data == nullptr) return 0;
        if (msg == WM_OLEDRAGDROP) {
            UserControl_OLEDragDrop(*info);
        } else {
            const std::int16_t state =
                msg == WM_OLEDRAGENTER ? 0 : (msg == WM_OLEDRAGLEAVE ? 1 : 2);
            UserControl_OLEDragOver(*info, state);
        }
        return 0;
    }
    default:
        return DefWindowProc(m_hWnd, msg, wParam, lParam);
    }
}

void ListView::ApplyBorderStyle(HWND hwnd, std::int32_t udeBS) {
    LONG set = 0;
    LONG clear = 0;
    switch (udeBS) {
    case 0:
        clear = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
        break;
    case 1:
        set = WS_EX_STATICEDGE;
        clear = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
        break;
    case 2:
        set = WS_EX_CLIENTEDGE;
        clear = WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;
        break;
    default:
        return;
    }
    ChangeWindowStyle(hwnd, GWL_STYLE, 0, WS_BORDER | WS_THICKFRAME);
    ChangeWindowStyle(hwnd, GWL_EXSTYLE, set, clear);
}

void ListView::ChangeWindowStyle(HWND hwnd, int index, LONG bitsToSet, LONG bitsToClear) {
    const auto old = static_cast<LONG>(GetWindowLongPtr(hwnd, index));
    SetWindowLongPtr(hwnd, index, bitsToSet | (old & ~bitsToClear));
    SetWindowPos(hwnd, 0, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

IListViewEvents& ListView::Events() const {
    static NoEvents none;
    return m_pEvents != nullptr ? *m_pEvents : none;
}

void ListView::NotifyPropertyChanged(const std::u16string& name) {
    if (m_fnPropertyChanged) m_fnPropertyChanged(name);
}

ListItem& ListView::RowOrRaise(std::int32_t Index) const {
    ListItem* row = m_clsItems.Item(Index);
    if (row == nullptr) RaiseError(ERR_NO_OBJECT);
    return *row;
}

Column& ListView::ColumnOrRaise(const PositionOrKey& Index) const {
    Column* column = m_clsColumns.Item(Index);
    if (column == nullptr) RaiseError(ERR_NO_OBJECT);
    return *column;
}

bool ListView::CustomDraw(std::int32_t, std::int32_t, std::int32_t&, std::int32_t&) {
    return false;
}

} // namespace lumarin::listview
