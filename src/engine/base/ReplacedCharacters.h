// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace lumarin::engine {

// Characters an output wrote as U+FFFD because it could not carry them, by
// what they were. Each count is of characters written, one per U+FFFD.
struct ReplacedCharacters {
    std::uint64_t invalidBytes = 0;   // bytes invalid in the source's encoding
    std::uint64_t loneSurrogates = 0; // halves of a UTF-16 pair without the other half
    std::uint64_t unfit = 0; // valid characters a book cannot hold: controls, non-characters

    bool any() const noexcept { return invalidBytes + loneSurrogates + unfit > 0; }
    ReplacedCharacters& operator+=(const ReplacedCharacters& other) noexcept {
        invalidBytes += other.invalidBytes;
        loneSurrogates += other.loneSurrogates;
        unfit += other.unfit;
        return *this;
    }
    friend bool operator==(const ReplacedCharacters&, const ReplacedCharacters&) = default;
};

// One line per kind that occurred, each starting with "\n", for the end of a
// done message: "源文件中有N个无效字节，已替换为U+FFFD。" and the like. Empty
// when nothing was replaced.
std::u16string ReplacementNote(const ReplacedCharacters& replaced);

} // namespace lumarin::engine
