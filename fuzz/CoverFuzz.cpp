// SPDX-License-Identifier: MIT
// A cover on any bytes: libpng and libjpeg decode what only starts like a picture, cut short,
// damaged or claiming a huge size. Reading must end with a picture or one of the engine's
// refusals, give the same answer twice, and take a cover exactly when the decoder does.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/epub/CoverDecoder.h"
#include "engine/epub/CoverImage.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CoverCheck check = CheckCoverBytes(bytes);
    if (CheckCoverBytes(bytes) != check) lumarin::fuzz::Fail("two answers for one picture");
    if ((check == CoverCheck::Png && !bytes.starts_with("\x89PNG")) ||
        (check == CoverCheck::Jpeg && !bytes.starts_with("\xFF\xD8")))
        lumarin::fuzz::Fail("a picture of the wrong kind");

    lumarin::fuzz::MemoryFile file(bytes);
    try {
        const CoverImage cover = ReadCoverImage(file.path());
        if (check != CoverCheck::Jpeg && check != CoverCheck::Png)
            lumarin::fuzz::Fail("a cover taken that is no picture");
        if (cover.bytes != bytes) lumarin::fuzz::Fail("the cover is not the file's bytes");
        const bool png = check == CoverCheck::Png;
        if (cover.mediaType != (png ? "image/png" : "image/jpeg"))
            lumarin::fuzz::Fail("the media type is not the picture's");
    } catch (const EngineError& error) {
        if (check == CoverCheck::Jpeg || check == CoverCheck::Png)
            lumarin::fuzz::Fail("a whole picture refused");
        if (error.code() != ErrorCode::NotAnImage && error.code() != ErrorCode::FileTooLarge)
            lumarin::fuzz::Fail("a refusal of another kind");
    }
    return 0;
}
