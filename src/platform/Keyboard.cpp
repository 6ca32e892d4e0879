// SPDX-License-Identifier: MIT
// Which keys are down, as the host last saw them.

#include "platform/Window.h"
#include "platform/WindowHost.h"

#include <array>

namespace lumarin::platform {

namespace {

constexpr int kKeyCount = 256;
constexpr SHORT kKeyDown = static_cast<SHORT>(0x8000);

std::array<bool, kKeyCount>& KeysDown() {
    static std::array<bool, kKeyCount> keys{};
    return keys;
}

bool IsKey(int vk) {
    return vk >= 0 && vk < kKeyCount;
}

} // namespace

SHORT GetKeyState(int vk) {
    return IsKey(vk) && KeysDown()[static_cast<std::size_t>(vk)] ? kKeyDown : SHORT{0};
}

void SetKeyState(int vk, bool down) {
    if (IsKey(vk)) KeysDown()[static_cast<std::size_t>(vk)] = down;
}

} // namespace lumarin::platform
