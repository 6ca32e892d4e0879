// SPDX-License-Identifier: MIT
#include "TestFiles.h"

#include <stdexcept>
#include <unicode/ucnv.h>

namespace lumarin::engine::test {

std::string Encode(std::u16string_view text, const char* encoding) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(encoding, &status);
    std::string out(text.size() * 4 + 4, '\0');
    const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                           reinterpret_cast<const UChar*>(text.data()),
                                           static_cast<int32_t>(text.size()), &status);
    ucnv_close(converter);
    if (U_FAILURE(status)) throw std::runtime_error("cannot encode test text");
    out.resize(static_cast<std::size_t>(length));
    return out;
}

} // namespace lumarin::engine::test
