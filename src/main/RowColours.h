// SPDX-License-Identifier: MIT
#pragma once
// The chapter list's row colours (OLE values, 0x00BBGGRR), shared by the
// list's drawing and the legend under it. Each state keeps its own light
// background, the same under every palette, so the states stay apart under a
// high-contrast one too; the text on it is the desktop's text colour where
// that reads well enough, else black or white, so that every row keeps a
// contrast of at least 4.5:1 (WCAG AA).

#include <cstdint>

namespace lumarin::app {

inline constexpr std::int32_t kSelectedBack = 0xB99D7F; // RGB(127, 157, 185)
inline constexpr std::int32_t kCheckedBack = 0xC0E0FF;  // RGB(255, 224, 192)
// RGB(230, 190, 250): the audit doubts the row. Violet stands apart from the
// checked rows' peach, the selection's blue and white (CIEDE2000 above 20 to each).
inline constexpr std::int32_t kFlaggedBack = 0xFABEE6;
inline constexpr std::int32_t kWhite = 0xFFFFFF;
inline constexpr std::int32_t kBlack = 0x000000;

enum class RowState { Plain, Checked, Doubted, Selected };

struct RowColours {
    std::int32_t back;
    std::int32_t fore;
};

inline constexpr double kLeastTextContrast = 4.5;

RowColours ColoursOfRow(RowState state, std::int32_t paletteText);

// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(std::int32_t one, std::int32_t two);

} // namespace lumarin::app
