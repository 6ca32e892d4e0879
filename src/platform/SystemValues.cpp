// SPDX-License-Identifier: MIT
// Version, metrics, desktop parameters and system colours. The colours start
// as the classic scheme; the Qt host overwrites them from its palette and sets
// the wheel scroll lines from the desktop.

#include "platform/Window.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace lumarin::platform {

namespace {

constexpr int kSystemColorCount = 31;
constexpr UINT kDefaultWheelScrollLines = 3;
constexpr int kScrollBarThickness = 17;

// Index 25 names no colour.
constexpr std::array<std::optional<COLORREF>, kSystemColorCount> kClassicColors{
    RGB(212, 208, 200), // 0 scroll bar
    RGB(58, 110, 165),  // 1 desktop
    RGB(10, 36, 106),   // 2 active caption
    RGB(128, 128, 128), // 3 inactive caption
    RGB(212, 208, 200), // 4 menu
    RGB(255, 255, 255), // 5 window
    RGB(0, 0, 0),       // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(255, 255, 255), // 9 caption text
    RGB(212, 208, 200), // 10 active border
    RGB(212, 208, 200), // 11 inactive border
    RGB(128, 128, 128), // 12 application workspace
    RGB(10, 36, 106),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(212, 208, 200), // 15 button face
    RGB(128, 128, 128), // 16 button shadow
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(212, 208, 200), // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(64, 64, 64),    // 21 3-D dark shadow
    RGB(212, 208, 200), // 22 3-D light
    RGB(0, 0, 0),       // 23 tooltip text
    RGB(255, 255, 225), // 24 tooltip background
    std::nullopt,       // 25
    RGB(0, 0, 128),     // 26 hot-tracked item
    RGB(166, 202, 240), // 27 active caption gradient
    RGB(192, 192, 192), // 28 inactive caption gradient
    RGB(10, 36, 106),   // 29 menu highlight
    RGB(212, 208, 200), // 30 menu bar
};

struct SystemSettings {
    std::array<std::optional<COLORREF>, kSystemColorCount> colors = kClassicColors;
    UINT wheelScrollLines = kDefaultWheelScrollLines;
    double deviceScale = 1.0;
};

SystemSettings& Settings() {
    static SystemSettings settings;
    return settings;
}

std::optional<COLORREF> SystemColor(int index) {
    if (index < 0 || index >= kSystemColorCount) return std::nullopt;
    return Settings().colors[static_cast<std::size_t>(index)];
}

} // namespace

DWORD GetVersion() {
    constexpr DWORD major = 6;
    constexpr DWORD minor = 1;
    constexpr DWORD build = 7601;
    return (build << 16) | (minor << 8) | major;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return ScaleToDevice(kScrollBarThickness);
    case SM_CXBORDER:
    case SM_CYBORDER:
        return ScaleToDevice(1);
    case SM_CXEDGE:
    case SM_CYEDGE:
        return ScaleToDevice(2);
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return ScaleToDevice(4);
    default:
        return 0;
    }
}

void SetDeviceScale(double scale) {
    Settings().deviceScale = std::isfinite(scale) && scale > 1.0 ? scale : 1.0;
}

double GetDeviceScale() {
    return Settings().deviceScale;
}

int ScaleToDevice(int pixels96) {
    return static_cast<int>(std::nearbyint(pixels96 * Settings().deviceScale));
}

BOOL SystemParametersInfo(UINT action, UINT /*param*/, void* value, UINT /*winIni*/) {
    if (action != SPI_GETWHEELSCROLLLINES || value == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    *static_cast<UINT*>(value) = Settings().wheelScrollLines;
    return true;
}

void SetWheelScrollLines(UINT lines) {
    Settings().wheelScrollLines = lines;
}

DWORD GetSysColor(int index) {
    return SystemColor(index).value_or(0);
}

BOOL SetSystemColor(int index, COLORREF color) {
    if (!SystemColor(index)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    Settings().colors[static_cast<std::size_t>(index)] = color & 0x00FFFFFFu;
    return true;
}

void ResetSystemSettings() {
    Settings() = SystemSettings{};
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // Halves round away from zero.
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(denominator))) {
        quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    }
    if (quotient > INT32_MAX || quotient < INT32_MIN) return -1;
    return static_cast<int>(quotient);
}

BOOL OleTranslateColor(OLE_COLOR color, COLORREF* rgb) {
    const auto bits = static_cast<std::uint32_t>(color);
    COLORREF result = 0;
    switch (bits >> 24) {
    case 0x00:
        result = bits;
        break;
    case 0x80: {
        const auto found = SystemColor(static_cast<int>(bits & 0x00FFFFFFu));
        if (!found) return false;
        result = *found;
        break;
    }
    default:
        return false; // palette entries: there is no palette here
    }
    if (rgb != nullptr) *rgb = result;
    return true;
}

} // namespace lumarin::platform
