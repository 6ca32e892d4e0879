// SPDX-License-Identifier: MIT
#include "platform/qt/QtEventLog.h"

#include "platform/Utf8.h"

#include <cstdio>
#include <syslog.h>

namespace lumarin::platform::qt {

QtEventLog::QtEventLog() {
    openlog("lumarin", LOG_PID, LOG_USER);
}

QtEventLog::~QtEventLog() {
    closelog();
}

void QtEventLog::LogError(const std::u16string& entry) {
    const std::string utf8 = Utf8(entry);
    std::fprintf(stderr, "lumarin: %s\n", utf8.c_str());
    std::fflush(stderr);
    syslog(LOG_ERR, "%s", utf8.c_str());
}

} // namespace lumarin::platform::qt
