// SPDX-License-Identifier: MIT
// Device capabilities. Every DC here shares the screen's resolution in device
// pixels (its logical dots per inch times the device scale): memory DCs are
// made to be copied to the screen.
#include "platform/Gdi.h"
#include "platform/GdiObjectTable.h"
#include "platform/Window.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace lumarin::platform {

namespace {

constexpr int kDefaultDpi = 96;

int LogicalDpi(bool horizontal) {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    QScreen* screen = app ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen) return kDefaultDpi;
    double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return dpi > 0 ? static_cast<int>(std::lround(dpi)) : kDefaultDpi;
}

int DeviceDpi(bool horizontal) {
    return static_cast<int>(std::nearbyint(LogicalDpi(horizontal) * GetDeviceScale()));
}

} // namespace

int GetDeviceCaps(HDC hdc, int index) {
    if (!GdiObjectTable::instance().find<DeviceContext>(hdc)) return 0;
    switch (index) {
    case LOGPIXELSX:
        return DeviceDpi(true);
    case LOGPIXELSY:
        return DeviceDpi(false);
    default:
        return 0;
    }
}

} // namespace lumarin::platform
