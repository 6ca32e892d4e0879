// SPDX-License-Identifier: MIT
// libpng and libjpeg report fatal errors by longjmp: each decoder keeps its
// state in plain structs the library owns or frees, so nothing with a
// destructor is skipped when a damaged picture jumps out.
#include "engine/epub/CoverDecoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <jerror.h> // the warning codes
#include <jpeglib.h>
#include <png.h>

namespace lumarin::engine {
namespace {

constexpr std::string_view kJpegStart = "\xFF\xD8\xFF";
constexpr std::string_view kPngStart = "\x89PNG\r\n\x1A\n";

bool Fits(std::uint64_t width, std::uint64_t height) {
    return width <= kLargestCoverSide && height <= kLargestCoverSide &&
           width * height <= kLargestCoverPixels;
}

// ---- PNG ----------------------------------------------------------------------------------

struct PngSource {
    const unsigned char* data;
    std::size_t size;
    std::size_t at;
};

void ReadPngBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->at) png_error(png, "cut short");
    std::memcpy(out, source->data + source->at, length);
    source->at += length;
}

void PngFailed(png_structp png, png_const_charp /*message*/) {
    png_longjmp(png, 1);
}

void PngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

CoverCheck CheckPng(std::string_view bytes) {
    PngSource source{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngFailed, PngWarning);
    if (png == nullptr) return CoverCheck::NotAnImage;
    png_infop info = png_create_info_struct(png);
    volatile CoverCheck result = CoverCheck::NotAnImage;
    png_bytep volatile row = nullptr;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &source, ReadPngBytes);
        png_read_info(png, info);
        if (!Fits(png_get_image_width(png, info), png_get_image_height(png, info))) {
            result = CoverCheck::TooLarge;
        } else {
            const int passes = png_set_interlace_handling(png);
            png_read_update_info(png, info);
            row = static_cast<png_bytep>(png_malloc(png, png_get_rowbytes(png, info)));
            const png_uint_32 height = png_get_image_height(png, info);
            for (int pass = 0; pass < passes; ++pass)
                for (png_uint_32 y = 0; y < height; ++y)
                    png_read_row(png, row, nullptr);
            png_read_end(png, nullptr);
            result = CoverCheck::Png;
        }
    }
    if (row != nullptr) png_free(png, row);
    png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    return result;
}

// ---- JPEG ---------------------------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool damaged;
};

void JpegFailed(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// libjpeg goes on past data that ends early or is corrupt, with a warning:
// those warnings mean the picture is not whole.
void JpegMessage(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    switch (errors->manager.msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        errors->damaged = true;
        break;
    default:
        break;
    }
}

void JpegSilent(j_common_ptr /*info*/) {}

CoverCheck CheckJpeg(std::string_view bytes) {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = JpegFailed;
    errors.manager.emit_message = JpegMessage;
    errors.manager.output_message = JpegSilent;
    volatile CoverCheck result = CoverCheck::NotAnImage;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        if (!Fits(info.image_width, info.image_height)) {
            result = CoverCheck::TooLarge;
        } else {
            // Every coefficient is still decoded; only the output is made cheaply.
            info.dct_method = JDCT_IFAST;
            info.do_fancy_upsampling = FALSE;
            jpeg_start_decompress(&info);
            // Owned by the decompressor's pool, freed with it.
            JSAMPARRAY row = (*info.mem->alloc_sarray)(
                reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
            while (info.output_scanline < info.output_height && !errors.damaged)
                jpeg_read_scanlines(&info, row, 1);
            if (!errors.damaged) jpeg_finish_decompress(&info);
            if (!errors.damaged) result = CoverCheck::Jpeg;
        }
    }
    jpeg_destroy_decompress(&info);
    return result;
}

} // namespace

CoverCheck CheckCoverBytes(std::string_view bytes) {
    if (bytes.starts_with(kJpegStart)) return CheckJpeg(bytes);
    if (bytes.starts_with(kPngStart)) return CheckPng(bytes);
    return CoverCheck::NotAnImage;
}

} // namespace lumarin::engine
