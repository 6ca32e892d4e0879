// SPDX-License-Identifier: MIT
#include "main/RowColours.h"

#include <algorithm>
#include <cmath>

namespace lumarin::app {

namespace {

double RelativeLuminance(std::int32_t colour) {
    const auto linear = [colour](int shift) {
        const double c = ((colour >> shift) & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(0) + 0.7152 * linear(8) + 0.0722 * linear(16);
}

// The palette's text where it reads on back, else whichever of black and white reads better.
std::int32_t TextOn(std::int32_t back, std::int32_t paletteText) {
    if (ContrastRatio(paletteText, back) >= kLeastTextContrast) return paletteText;
    return ContrastRatio(kBlack, back) >= ContrastRatio(kWhite, back) ? kBlack : kWhite;
}

} // namespace

double ContrastRatio(std::int32_t one, std::int32_t two) {
    const double a = RelativeLuminance(one);
    const double b = RelativeLuminance(two);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

RowColours ColoursOfRow(RowState state, std::int32_t paletteText) {
    std::int32_t back = kWhite;
    switch (state) {
    case RowState::Plain:
        break;
    case RowState::Checked:
        back = kCheckedBack;
        break;
    case RowState::Doubted:
        back = kFlaggedBack;
        break;
    case RowState::Selected:
        back = kSelectedBack;
        break;
    }
    return {back, TextOn(back, paletteText)};
}

} // namespace lumarin::app
