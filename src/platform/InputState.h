// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: focus and capture bookkeeping that window
// destruction needs without sending messages.

#include "platform/WinTypes.h"

namespace lumarin::platform {

// Drops focus and capture if hwnd holds them; tells the host, sends nothing.
void ForgetInputOf(HWND hwnd);

} // namespace lumarin::platform
