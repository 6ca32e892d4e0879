// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include <QByteArray>
#include <QtGlobal>

namespace lumarin::app::test {

WindowTestEnvironment::WindowTestEnvironment() {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_config.path().string()));
}

void WriteGbkLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += ToGbk(line) + "\r\n";
    lumarin::test::WriteBytes(file, bytes);
}

} // namespace lumarin::app::test
