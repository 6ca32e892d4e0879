// SPDX-License-Identifier: MIT
#include "engine/convert/ConversionDict.h"

#include <algorithm>
#include <cassert>
#include <unicode/utf16.h>

namespace lumarin::engine {

ConversionDict::ConversionDict(Entries entries) : m_entries(std::move(entries)) {
    std::erase_if(m_entries, [](const auto& entry) { return entry.first.empty(); });
    std::sort(m_entries.begin(), m_entries.end(), [](const auto& a, const auto& b) {
        if (a.first[0] != b.first[0]) return a.first[0] < b.first[0];
        if (a.first.size() != b.first.size()) return a.first.size() > b.first.size();
        return a.first < b.first;
    });
    m_bucketStart.assign(0x10001, 0);
    for (const auto& entry : m_entries)
        ++m_bucketStart[entry.first[0] + 1u];
    for (std::size_t unit = 1; unit < m_bucketStart.size(); ++unit)
        m_bucketStart[unit] += m_bucketStart[unit - 1];
    assert(m_bucketStart.back() == m_entries.size() && "every entry belongs to one bucket");
}

std::optional<DictMatch> ConversionDict::longestPrefix(std::u16string_view text) const {
    if (text.empty()) return std::nullopt;
    const char16_t first = text[0];
    for (std::uint32_t i = m_bucketStart[first]; i < m_bucketStart[first + 1u]; ++i) {
        const auto& [key, value] = m_entries[i];
        // The bucket already matched a one-unit key. Keys are whole characters,
        // so a key never ends inside a surrogate pair of the text.
        if (key.size() == 1 || text.starts_with(key)) return DictMatch{key.size(), value};
    }
    return std::nullopt;
}

DictGroup::DictGroup(std::vector<const ConversionDict*> members) : m_members(std::move(members)) {
    for (std::size_t unit = 0; unit < m_startsKey.size(); ++unit) {
        const auto starts = [unit](const ConversionDict* dict) {
            return dict->startsKey(static_cast<char16_t>(unit));
        };
        m_startsKey.set(unit, std::any_of(m_members.begin(), m_members.end(), starts));
    }
}

std::optional<DictMatch> DictGroup::match(std::u16string_view text) const {
    for (const ConversionDict* dict : m_members) {
        if (auto found = dict->longestPrefix(text)) return found;
    }
    return std::nullopt;
}

void DictGroup::convert(std::u16string_view text, std::u16string& out) const {
    std::size_t copied = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (startsKey(text[pos])) {
            if (const auto found = match(text.substr(pos))) {
                out.append(text.substr(copied, pos - copied));
                out.append(found->value);
                pos += found->length;
                copied = pos;
                continue;
            }
        }
        pos += CharLength(text, pos);
    }
    out.append(text.substr(copied));
}

std::size_t CharLength(std::u16string_view text, std::size_t pos) noexcept {
    return U16_IS_LEAD(text[pos]) && pos + 1 < text.size() && U16_IS_TRAIL(text[pos + 1]) ? 2 : 1;
}

} // namespace lumarin::engine
