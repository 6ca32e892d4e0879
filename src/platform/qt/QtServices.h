// SPDX-License-Identifier: MIT
#pragma once
// Start-up of a GUI program: the real services, and the desktop's settings
// (system colours from the palette, wheel-scroll lines) fed into the core.

namespace lumarin::platform::qt {

// Needs a QApplication. Installs the Qt services and applies the desktop settings.
void InstallQtServices();

// Re-reads the palette and the wheel setting; also done on palette changes.
void ApplyDesktopSettings();

} // namespace lumarin::platform::qt
