// SPDX-License-Identifier: MIT
#pragma once
// The receiver of a window message hook (see Subclasser).

#include "platform/WinTypes.h"

namespace lumarin::winplumb {

class ISubclass {
public:
    virtual ~ISubclass() = default;

    // bBefore: called before the window's own procedure (true) or after it.
    // bHandled: false on entry; set by a before call, it stops the message
    //   there and lReturn becomes the window's result.
    // lReturn: 0 on entry to a before call, the window procedure's result on
    //   entry to an after call; what is left here is returned.
    // lParamUser: the window's user value; a change is kept for later calls.
    virtual void WndProc(bool bBefore, bool& bHandled, platform::LRESULT& lReturn,
                         platform::HWND lng_hWnd, platform::UINT uMsg, platform::WPARAM wParam,
                         platform::LPARAM lParam, platform::LONG& lParamUser) = 0;
};

} // namespace lumarin::winplumb
