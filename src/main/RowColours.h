// SPDX-License-Identifier: MIT
#pragma once
// The chapter list's row colours (OLE values, 0x00BBGGRR), shared by the
// list's drawing and the legend under it.

#include <cstdint>

namespace lumarin::app {

inline constexpr std::int32_t kSelectedBack = 0xB99D7F; // RGB(127, 157, 185)
inline constexpr std::int32_t kCheckedBack = 0xC0E0FF;  // RGB(255, 224, 192)
// RGB(230, 190, 250): the audit doubts the row. Violet stands apart from the
// checked rows' peach, the selection's blue and white (CIEDE2000 above 20 to each).
inline constexpr std::int32_t kFlaggedBack = 0xFABEE6;
inline constexpr std::int32_t kWhite = 0xFFFFFF;
inline constexpr std::int32_t kBlack = 0x000000;

} // namespace lumarin::app
