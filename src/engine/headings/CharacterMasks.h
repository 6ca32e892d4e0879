// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace lumarin::engine {

// A 64-bit mask per UTF-16 code unit, zero for most. The units are kept in
// pages of 256, and a page is made only when a unit of it gets a mask: the
// few pages a set of headings' characters fall on stay in the cache, where a
// flat table of every unit would be half a megabyte, touched all over.
class CharacterMasks {
public:
    CharacterMasks() : m_pages(1) { m_pageOf.fill(0); }

    std::uint64_t operator[](char16_t unit) const noexcept {
        return m_pages[m_pageOf[unit >> 8]][unit & 0xFF];
    }

    void add(char16_t unit, std::uint64_t bits) {
        std::uint16_t& page = m_pageOf[unit >> 8];
        if (page == 0) {
            page = static_cast<std::uint16_t>(m_pages.size());
            m_pages.emplace_back();
        }
        m_pages[page][unit & 0xFF] |= bits;
    }

private:
    using Page = std::array<std::uint64_t, 256>;
    std::vector<Page> m_pages;               // page 0: all zero, for units without a mask
    std::array<std::uint16_t, 256> m_pageOf; // by a unit's high byte
};

} // namespace lumarin::engine
