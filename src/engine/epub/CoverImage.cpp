// SPDX-License-Identifier: MIT
#include "engine/epub/CoverImage.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/epub/CoverDecoder.h"
#include "engine/source/SmallFile.h"

namespace lumarin::engine {
namespace {

// A cover larger than this is not a cover.
constexpr std::int64_t kLargestCoverBytes = 64 * 1024 * 1024;

constexpr std::u16string_view kCover = u"封面";

std::u16string PixelsLimit() {
    return u"上限每边" + ToU16Decimal(kLargestCoverSide) + u"像素、共" +
           ToU16Decimal(static_cast<long long>(kLargestCoverPixels / 10'000)) + u"万像素";
}

} // namespace

CoverImage ReadCoverImage(const std::filesystem::path& path) {
    CoverImage cover;
    cover.bytes = ReadSmallFile(path, kLargestCoverBytes, kCover);
    switch (CheckCoverBytes(cover.bytes)) {
    case CoverCheck::Jpeg:
        cover.mediaType = "image/jpeg";
        cover.fileName = "images/cover.jpg";
        return cover;
    case CoverCheck::Png:
        cover.mediaType = "image/png";
        cover.fileName = "images/cover.png";
        return cover;
    case CoverCheck::TooLarge:
        throw EngineError::fileTooLarge(kCover, path.string(), PixelsLimit());
    case CoverCheck::NotAnImage:
        break;
    }
    throw EngineError::notAnImage(path.string());
}

} // namespace lumarin::engine
