// SPDX-License-Identifier: MIT
#pragma once

#include "support/TestFiles.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumarin::app::test {

using lumarin::test::ListFiles;
using lumarin::test::ReadBytes;
using lumarin::test::TempDir;

inline std::string ToGbk(const std::string& utf8) {
    return lumarin::test::EncodeWithIconv(utf8, "GBK");
}

// Set up before the QApplication: window tests run on the offscreen platform
// (unless QT_QPA_PLATFORM names another) with a screen of kScreenWidth ×
// kScreenHeight logical pixels, and the windows keep their settings in a
// scratch folder, never in the user's own configuration.
inline constexpr int kScreenWidth = 1600;
inline constexpr int kScreenHeight = 1000;

class WindowTestEnvironment {
public:
    WindowTestEnvironment();

private:
    TempDir m_config;
};

// UTF-8 lines written as GBK, each ended by CR LF.
void WriteGbkLines(const std::filesystem::path& file, const std::vector<std::string>& lines);

// A small book: a preface line, then two chapters of ten lines each.
std::vector<std::string> TwoChapters();

} // namespace lumarin::app::test
