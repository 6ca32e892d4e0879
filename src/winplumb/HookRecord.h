// SPDX-License-Identifier: MIT
#pragma once
// What a hook keeps for one window: the receiver (not owned), the procedure
// it replaced, the two message tables and the user value.

#include "platform/WinTypes.h"
#include "winplumb/MessageTable.h"

#include <cstdint>

namespace lumarin::winplumb {

class ISubclass;

struct HookRecord {
    int callDepth = 0;         // activations of the dispatch for this window in progress
    bool shuttingDown = false; // unhooked; removes itself at the outermost return
    bool windowGone = false;   // WM_NCDESTROY passed; released at the outermost return
    platform::HWND hwnd = 0;
    std::uint64_t serial = 0; // tells a live record from a released one
    ISubclass* receiver = nullptr;
    platform::WNDPROC previous = nullptr;
    MessageTable before;
    MessageTable after;
    platform::LONG lParamUser = 0;

    bool PendingRemoval() const { return shuttingDown || windowGone; }
};

} // namespace lumarin::winplumb
