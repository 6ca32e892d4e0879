// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace lumarin::app {

// The program's icon, from the resources compiled into the program.
QIcon AppIcon();

} // namespace lumarin::app
