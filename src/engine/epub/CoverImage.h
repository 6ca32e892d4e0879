// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace lumarin::engine {

// A book's cover picture, read whole (covers are small) and known by its first bytes.
struct CoverImage {
    std::string bytes;
    std::string mediaType; // "image/jpeg" or "image/png"
    std::string fileName;  // "images/cover.jpg" or "images/cover.png"
};

// Throws EngineError: "无法读取文件: path: reason" for a file that cannot be
// read, "封面不是JPEG或PNG图片: path" for anything but a JPEG or PNG picture.
CoverImage ReadCoverImage(const std::filesystem::path& path);

} // namespace lumarin::engine
