// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace lumarin::engine {

// A book's cover picture, read whole (covers are small) and decoded once to
// know it is a whole JPEG or PNG.
struct CoverImage {
    std::string bytes;
    std::string mediaType; // "image/jpeg" or "image/png"
    std::string fileName;  // "images/cover.jpg" or "images/cover.png"
};

// Throws EngineError: "无法读取文件: path: reason" for a file that cannot be
// read, "不是普通文件: path（what it is）" for a FIFO, a device, a folder or
// standard input ("-"), "封面太大: path（limit）" past the size or pixel limit, and
// "封面不是JPEG或PNG图片: path" for anything but a whole JPEG or PNG picture.
CoverImage ReadCoverImage(const std::filesystem::path& path);

} // namespace lumarin::engine
