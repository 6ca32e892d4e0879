// SPDX-License-Identifier: MIT
#pragma once
// One of a hook's two message tables: a count and MSG_ENTRIES slots. A count
// of ALL_MESSAGES matches every message; a slot holding 0 was freed and is
// reused by the next addition.

#include "platform/WinTypes.h"

#include <array>

namespace lumarin::winplumb {

inline constexpr int MSG_ENTRIES = 32;
inline constexpr platform::UINT ALL_MESSAGES = static_cast<platform::UINT>(-1);

class MessageTable {
public:
    enum class Result { Done, Overflow, NotFound };

    Result Add(platform::UINT uMsg);
    Result Remove(platform::UINT uMsg);
    void Clear() { m_lngCount = 0; }
    bool Matches(platform::UINT uMsg) const;
    int Count() const { return m_lngCount; }

private:
    int m_lngCount = 0; // 0 empty, -1 every message, else slots in use
    std::array<platform::UINT, MSG_ENTRIES> m_slots{};
};

} // namespace lumarin::winplumb
