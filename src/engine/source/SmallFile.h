// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumarin::engine {

// A file the user names beside the book (a cover, a table of contents), read
// whole. It never blocks: a FIFO, a device, a folder or standard input ("-")
// is refused as it is opened, and a file past `largestBytes` before any of it
// is read.
//
// Throws EngineError: "无法读取文件: path: reason" for a file that cannot be
// opened or read, "不是普通文件: path（what it is）", and
// `what` + "太大: path（上限N MB）".
std::string ReadSmallFile(const std::filesystem::path& path, std::int64_t largestBytes,
                          std::u16string_view what);

} // namespace lumarin::engine
