// SPDX-License-Identifier: MIT
#pragma once
// The chapter rows' colours. Each state keeps its own light background, the
// same under every palette, so the states stay apart under a high-contrast one
// too; the text on it is the desktop's text colour where that reads well
// enough, else black or white, so that every row keeps a contrast of at least
// 4.5:1 (WCAG AA).

#include <cstdint>

namespace lumarin::app {

enum class RowState { Plain, Checked, Doubted, Selected };

// Colours as the list takes them: RGB, red in the low byte (0x00BBGGRR).
struct RowColours {
    std::int32_t back;
    std::int32_t fore;
};

inline constexpr double kLeastTextContrast = 4.5;

RowColours ColoursOfRow(RowState state, std::int32_t paletteText);

// The WCAG contrast ratio of two colours, 1 to 21.
double ContrastRatio(std::int32_t one, std::int32_t two);

} // namespace lumarin::app
