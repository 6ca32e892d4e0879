#include "platform/qt/QtEventLog.h"

#include <QString>
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
    const QByteArray utf8 =
        QString::fromUtf16(entry.data(), static_cast<qsizetype>(entry.size())).toUtf8();
    std::fprintf(stderr, "lumarin: %s\n", utf8.constData());
    std::fflush(stderr);
    syslog(LOG_ERR, "%s", utf8.constData());
}

} // namespace lumarin::platform::qt
