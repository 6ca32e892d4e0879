// SPDX-License-Identifier: MIT
#include "platform/qt/InputMapping.h"

#include <array>
#include <utility>

namespace lumarin::platform::qt {

namespace {

constexpr UINT VK_INSERT = 0x2D;

constexpr std::array<std::pair<int, UINT>, 22> kNamedKeys{{
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},      {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},     {Qt::Key_PageUp, VK_PRIOR},  {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},         {Qt::Key_Home, VK_HOME},     {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},           {Qt::Key_Right, VK_RIGHT},   {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE}, {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Clear, 0x0C},
}};

constexpr std::array<std::pair<HCURSOR, Qt::CursorShape>, 11> kCursors{{
    {IDC_ARROW, Qt::ArrowCursor},
    {IDC_IBEAM, Qt::IBeamCursor},
    {IDC_WAIT, Qt::WaitCursor},
    {IDC_CROSS, Qt::CrossCursor},
    {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    {IDC_SIZENESW, Qt::SizeBDiagCursor},
    {IDC_SIZEWE, Qt::SplitHCursor},
    {IDC_SIZENS, Qt::SplitVCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},
    {IDC_NO, Qt::ForbiddenCursor},
    {IDC_HAND, Qt::PointingHandCursor},
}};

} // namespace

UINT VirtualKeyFromQtKey(int qtKey) {
    // Letters and digits share their upper-case ASCII codes.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<UINT>(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    for (const auto& [key, vk] : kNamedKeys)
        if (key == qtKey) return vk;
    return 0;
}

WPARAM MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM state = 0;
    if (buttons & Qt::LeftButton) state |= MK_LBUTTON;
    if (buttons & Qt::RightButton) state |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) state |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) state |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) state |= MK_CONTROL;
    return state;
}

LPARAM PointLParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<std::int16_t>(x)),
                      static_cast<WORD>(static_cast<std::int16_t>(y)));
}

int DropButton(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int DropShift(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

Qt::CursorShape CursorShapeFor(HCURSOR cursor) {
    if (cursor == 0) return Qt::BlankCursor; // SetCursor(0) hides the pointer
    for (const auto& [id, shape] : kCursors)
        if (id == cursor) return shape;
    return Qt::ArrowCursor;
}

} // namespace lumarin::platform::qt
