// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// Covers larger than this are not book covers: their pixels are refused
// before any is decoded.
inline constexpr std::uint32_t kLargestCoverSide = 16384;
inline constexpr std::uint64_t kLargestCoverPixels = 40'000'000;

enum class CoverCheck {
    NotAnImage, // not a JPEG or PNG, or one that is cut short or damaged
    TooLarge,   // a picture past kLargestCoverSide or kLargestCoverPixels
    Jpeg,
    Png,
};

// Decodes every pixel of `bytes` (one row at a time) to tell a whole picture
// from one that only starts like one.
CoverCheck CheckCoverBytes(std::string_view bytes);

} // namespace lumarin::engine
