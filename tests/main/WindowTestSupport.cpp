// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <string>

namespace lumarin::app::test {

WindowTestEnvironment::WindowTestEnvironment() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        // A desktop's screen, 1600 × 1000 at any scale, rather than the
        // offscreen platform's small one: the window's start size and its
        // place are worked out from the screen.
        bool given = false;
        double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
        if (!given || factor <= 0) factor = 1.0;
        const auto device = [factor](int pixels) {
            return std::to_string(static_cast<int>(pixels * factor));
        };
        const auto config = m_config.write(
            "screen.json", R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": )" +
                               device(kScreenWidth) + R"(, "height": )" + device(kScreenHeight) +
                               R"(, "logicalDpi": 96}]})");
        qputenv("QT_QPA_PLATFORM",
                QByteArray("offscreen:configfile=") + QByteArray::fromStdString(config.string()));
    }
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_config.path().string()));
}

void WriteGbkLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += ToGbk(line) + "\r\n";
    lumarin::test::WriteBytes(file, bytes);
}

std::vector<std::string> TwoChapters() {
    std::vector<std::string> lines{"前言"};
    for (const char* heading : {"第一章 开始", "第二章 继续"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 10, "正文");
    }
    return lines;
}

} // namespace lumarin::app::test
