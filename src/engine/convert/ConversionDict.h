// SPDX-License-Identifier: MIT
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumarin::engine {

// The longest key found at the start of a text, and what it becomes.
struct DictMatch {
    std::size_t length; // code units of the key
    std::u16string_view value;
};

// One dictionary of conversion data (key → first value) held as UTF-16,
// indexed by the first code unit of each key so that a look-up is one table
// read and a few comparisons.
class ConversionDict {
public:
    using Entries = std::vector<std::pair<std::u16string, std::u16string>>;

    // Empty keys are left out; each key appears once.
    explicit ConversionDict(Entries entries);

    // True when some key starts with this code unit (for a key beyond the
    // basic plane: its lead surrogate).
    bool startsKey(char16_t unit) const noexcept {
        return m_bucketStart[unit] != m_bucketStart[unit + 1u];
    }

    // The longest key that `text` starts with.
    std::optional<DictMatch> longestPrefix(std::u16string_view text) const;

private:
    Entries m_entries;                        // by first code unit, then longest key first
    std::vector<std::uint32_t> m_bucketStart; // first entry of each code unit, and the end
};

// Dictionaries asked in order: the first one that holds a key at the start of
// the text gives its longest key, even when a later one holds a longer key.
class DictGroup {
public:
    DictGroup() = default;
    explicit DictGroup(std::vector<const ConversionDict*> members);

    bool startsKey(char16_t unit) const noexcept { return m_startsKey.test(unit); }
    std::optional<DictMatch> match(std::u16string_view text) const;

    // `text` with every match replaced by its value, left to right; text
    // between matches is copied a character (a code point) at a time.
    void convert(std::u16string_view text, std::u16string& out) const;

private:
    std::vector<const ConversionDict*> m_members;
    std::bitset<0x10000> m_startsKey; // code units that start a key of any member
};

// Code units of the character at `pos`: 2 for a surrogate pair, else 1.
std::size_t CharLength(std::u16string_view text, std::size_t pos) noexcept;

} // namespace lumarin::engine
