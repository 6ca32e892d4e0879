// SPDX-License-Identifier: MIT
#pragma once
// Message boxes as QMessageBox: icon and buttons from the MB_* flags.

#include "platform/Services.h"

#include <QMessageBox>

namespace lumarin::platform::qt {

class QtMessageBox final : public IMessageBox {
public:
    int Show(HWND owner, const std::u16string& text, const std::u16string& title,
             UINT flags) override;

    static QMessageBox::Icon IconFor(UINT flags);
    static QMessageBox::StandardButtons ButtonsFor(UINT flags);
    static int ResultFor(QMessageBox::StandardButton clicked);
};

} // namespace lumarin::platform::qt
