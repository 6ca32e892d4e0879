// SPDX-License-Identifier: MIT
// A cover is a whole picture or nothing. The pictures in tests/data/covers are
// 24 x 32 pixels, made with ImageMagick: baseline and progressive JPEG; PNG in
// RGB, interlaced RGBA and palette colours.
#include "engine/epub/CoverDecoder.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::ReadBytes;

std::string Picture(const char* name) {
    return ReadBytes(std::string(LUMARIN_COVERS_DIR) + "/" + name);
}

struct Whole {
    const char* name;
    CoverCheck kind;
};

const Whole kPictures[] = {
    {"baseline.jpg", CoverCheck::Jpeg}, {"progressive.jpg", CoverCheck::Jpeg},
    {"rgb.png", CoverCheck::Png},       {"interlaced.png", CoverCheck::Png},
    {"palette.png", CoverCheck::Png},
};

TEST(CoverDecoderTest, WholePicturesAreKnownByTheirKind) {
    for (const Whole& picture : kPictures) {
        SCOPED_TRACE(picture.name);
        const std::string bytes = Picture(picture.name);
        ASSERT_GT(bytes.size(), 100u);
        EXPECT_EQ(CheckCoverBytes(bytes), picture.kind);
        // Bytes after the end of the picture do not make it less whole.
        EXPECT_EQ(CheckCoverBytes(bytes + std::string(16, '\0')), picture.kind);
    }
}

// Cut anywhere after its signature, a picture is no longer one: in its
// header, its pixels, or only its last marker or chunk.
TEST(CoverDecoderTest, APictureCutShortIsNone) {
    for (const Whole& picture : kPictures) {
        const std::string bytes = Picture(picture.name);
        for (std::size_t keep = 3; keep < bytes.size(); ++keep) {
            SCOPED_TRACE(std::string(picture.name) + " cut to " + std::to_string(keep));
            ASSERT_EQ(CheckCoverBytes(std::string_view(bytes).substr(0, keep)),
                      CoverCheck::NotAnImage);
        }
    }
}

TEST(CoverDecoderTest, ASignatureFollowedByAnythingElseIsNoPicture) {
    const std::string garbage(4000, 'x');
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"PNG signature then text", "\x89PNG\r\n\x1A\n" + garbage},
        {"PNG signature alone", "\x89PNG\r\n\x1A\n"},
        {"JPEG start then text", "\xFF\xD8\xFF" + garbage},
        {"JPEG start then zeros", "\xFF\xD8\xFF\xE0" + std::string(4000, '\0')},
        {"text", garbage},
        {"nothing", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckCoverBytes(c.bytes), CoverCheck::NotAnImage);
    }
}

// A changed byte in the pixel data: the PNG's checksum no longer fits; the
// JPEG's entropy-coded data no longer decodes (a marker in the middle of it).
TEST(CoverDecoderTest, DamagedPixelDataIsNoPicture) {
    std::string png = Picture("rgb.png");
    const std::size_t data = png.find("IDAT") + 8;
    png[data] = static_cast<char>(png[data] ^ 0x55);
    EXPECT_EQ(CheckCoverBytes(png), CoverCheck::NotAnImage);

    std::string jpeg = Picture("baseline.jpg");
    const std::size_t scan = jpeg.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    const std::size_t pixels = scan + 2 + 12; // past the scan header of three components
    jpeg.replace(pixels + 4, 2, "\xFF\xD9");
    EXPECT_EQ(CheckCoverBytes(jpeg), CoverCheck::NotAnImage);
}

std::string BigEndian(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// The checksum a PNG chunk ends with, over its type and data.
std::uint32_t PngCrc(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

// The header's size decides before a pixel is decoded.
TEST(CoverDecoderTest, PicturesPastTheLimitAreTooLarge) {
    const auto png = [](std::uint32_t width, std::uint32_t height) {
        std::string bytes = Picture("rgb.png");
        // The header chunk: its type at 12, width and height at 16, its checksum at 29.
        bytes.replace(16, 8, BigEndian(width, 4) + BigEndian(height, 4));
        bytes.replace(29, 4, BigEndian(PngCrc(std::string_view(bytes).substr(12, 17)), 4));
        return bytes;
    };
    const auto jpeg = [](std::uint32_t width, std::uint32_t height) {
        std::string bytes = Picture("baseline.jpg");
        const std::size_t frame = bytes.find("\xFF\xC0");
        bytes.replace(frame + 5, 4, BigEndian(height, 2) + BigEndian(width, 2));
        return bytes;
    };
    const std::uint32_t side = kLargestCoverSide;
    EXPECT_EQ(CheckCoverBytes(png(side + 1, 32)), CoverCheck::TooLarge);
    EXPECT_EQ(CheckCoverBytes(png(24, side + 1)), CoverCheck::TooLarge);
    EXPECT_EQ(CheckCoverBytes(png(10000, 10000)), CoverCheck::TooLarge); // each side fits
    EXPECT_EQ(CheckCoverBytes(jpeg(side + 1, 32)), CoverCheck::TooLarge);
    EXPECT_EQ(CheckCoverBytes(jpeg(10000, 10000)), CoverCheck::TooLarge);
    EXPECT_EQ(CheckCoverBytes(png(24, 32)), CoverCheck::Png); // the checksum is made right
    // At the limit the header is no reason to refuse: these fail only for their pixels.
    EXPECT_EQ(CheckCoverBytes(png(side, 32)), CoverCheck::NotAnImage);
    EXPECT_EQ(CheckCoverBytes(jpeg(side, 32)), CoverCheck::NotAnImage);
}

} // namespace
} // namespace lumarin::engine
