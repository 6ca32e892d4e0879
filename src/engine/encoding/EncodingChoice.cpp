// SPDX-License-Identifier: MIT
#include "engine/encoding/EncodingChoice.h"

#include <array>

namespace lumarin::engine {
namespace {

constexpr std::array<EncodingChoiceName<InputEncodingChoice>, 6> kInputChoices{{
    {InputEncodingChoice::Auto, "auto", u"自动识别"},
    {InputEncodingChoice::Utf8, "utf-8", u"UTF-8"},
    {InputEncodingChoice::Gb18030, "gb18030", u"GB18030 (GBK)"},
    {InputEncodingChoice::Big5, "big5", u"Big5"},
    {InputEncodingChoice::Utf16LE, "utf-16le", u"UTF-16LE"},
    {InputEncodingChoice::Utf16BE, "utf-16be", u"UTF-16BE"},
}};

constexpr std::array<EncodingChoiceName<OutputEncodingChoice>, 4> kOutputChoices{{
    {OutputEncodingChoice::Source, "source", u"同源文件"},
    {OutputEncodingChoice::Utf8, "utf-8", u"UTF-8"},
    {OutputEncodingChoice::Utf8Bom, "utf-8-bom", u"UTF-8 (BOM)"},
    {OutputEncodingChoice::Gb18030, "gb18030", u"GB18030 (GBK)"},
}};

template <typename Choice>
std::optional<Choice> FindByName(std::span<const EncodingChoiceName<Choice>> choices,
                                 std::string_view name) {
    for (const auto& entry : choices) {
        if (entry.name == name) return entry.choice;
    }
    return std::nullopt;
}

} // namespace

std::span<const EncodingChoiceName<InputEncodingChoice>> InputEncodingChoices() {
    return kInputChoices;
}

std::span<const EncodingChoiceName<OutputEncodingChoice>> OutputEncodingChoices() {
    return kOutputChoices;
}

std::optional<InputEncodingChoice> ParseInputEncodingChoice(std::string_view name) {
    return FindByName(InputEncodingChoices(), name);
}

std::optional<OutputEncodingChoice> ParseOutputEncodingChoice(std::string_view name) {
    return FindByName(OutputEncodingChoices(), name);
}

Encoding ResolveInputEncoding(InputEncodingChoice choice, std::string_view head,
                              std::uint64_t fileSize) {
    switch (choice) {
    case InputEncodingChoice::Auto:
        return DetectEncoding(head, fileSize);
    case InputEncodingChoice::Utf8:
        return head.starts_with(ByteOrderMark(Encoding::Utf8Bom)) ? Encoding::Utf8Bom
                                                                  : Encoding::Utf8;
    case InputEncodingChoice::Gb18030:
        return Encoding::Gb18030;
    case InputEncodingChoice::Big5:
        return Encoding::Big5;
    case InputEncodingChoice::Utf16LE:
        return Encoding::Utf16LE;
    case InputEncodingChoice::Utf16BE:
        return Encoding::Utf16BE;
    }
    return DetectEncoding(head, fileSize);
}

Encoding ResolveOutputEncoding(OutputEncodingChoice choice, Encoding source, bool toSimplified) {
    switch (choice) {
    case OutputEncodingChoice::Source:
        break;
    case OutputEncodingChoice::Utf8:
        return Encoding::Utf8;
    case OutputEncodingChoice::Utf8Bom:
        return Encoding::Utf8Bom;
    case OutputEncodingChoice::Gb18030:
        return Encoding::Gb18030;
    }
    // Big5 cannot hold simplified characters.
    return toSimplified && source == Encoding::Big5 ? Encoding::Gb18030 : source;
}

bool SameLineBytes(Encoding a, Encoding b) {
    const auto utf8 = [](Encoding e) { return e == Encoding::Utf8 || e == Encoding::Utf8Bom; };
    return a == b || (utf8(a) && utf8(b));
}

} // namespace lumarin::engine
