// SPDX-License-Identifier: MIT
#include "engine/base/ReplacedCharacters.h"

#include "engine/base/TextUtil.h"

#include <string_view>

namespace lumarin::engine {
namespace {

void AddLine(std::u16string& note, std::uint64_t count, std::u16string_view what) {
    if (count == 0) return;
    note += u"\n源文件中有" + ToU16Decimal(static_cast<long long>(count)) + std::u16string(what) +
            u"，已替换为U+FFFD。";
}

} // namespace

std::u16string ReplacementNote(const ReplacedCharacters& replaced) {
    std::u16string note;
    AddLine(note, replaced.invalidBytes, u"个无效字节");
    AddLine(note, replaced.loneSurrogates, u"个孤立的UTF-16代理项");
    AddLine(note, replaced.unfit, u"个控制字符或非字符（EPUB不能容纳）");
    return note;
}

} // namespace lumarin::engine
