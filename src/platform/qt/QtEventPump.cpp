// SPDX-License-Identifier: MIT
#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>

namespace lumarin::platform::qt {

void QtEventPump::DoEvents() {
    QCoreApplication::processEvents();
}

} // namespace lumarin::platform::qt
