// SPDX-License-Identifier: MIT
#include "main/AppIcon.h"

// Resources of a static library must be registered by name, outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(lumarin);
}

namespace lumarin::app {

QIcon AppIcon() {
    static const bool registered = (RegisterResources(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/lumarin/lumarin.png"));
}

} // namespace lumarin::app
