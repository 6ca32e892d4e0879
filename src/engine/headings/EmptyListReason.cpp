// SPDX-License-Identifier: MIT
#include "engine/headings/EmptyListReason.h"

#include "engine/base/TextUtil.h"
#include "engine/encoding/LineCodec.h"
#include "engine/source/SourceFile.h"

namespace lumarin::engine {
namespace {

// Enough of the source to judge an encoding by.
constexpr std::size_t kHeadBytes = 64 * 1024;

// Above this share of invalid bytes the text is called mostly invalid.
constexpr int kMostlyInvalidPercent = 20;

std::string ReadHead(const std::filesystem::path& source) {
    SourceFile file(source);
    std::string head(kHeadBytes, '\0');
    std::size_t filled = 0;
    while (filled < head.size()) {
        const std::size_t got = file.read(head.data() + filled, head.size() - filled);
        if (got == 0) break;
        filled += got;
    }
    head.resize(filled);
    return head;
}

// The same request with only the listed things changed, and nothing extra gathered.
AnalysisRequest Plain(const AnalysisRequest& request) {
    AnalysisRequest plain = request;
    plain.measureChapters = false;
    plain.nearMisses = false;
    return plain;
}

std::u16string Quoted(std::u16string_view text) {
    return u"“" + std::u16string(text) + u"”";
}

std::u16string NameOf(Encoding encoding) {
    return FromUtf8(EncodingName(encoding));
}

std::u16string Count(long long n) {
    return ToU16Decimal(n);
}

} // namespace

int InvalidPercent(std::string_view bytes, Encoding encoding) {
    LineCodec codec(encoding);
    const std::u16string text = codec.decode(bytes);
    std::uint64_t invalid = 0, other = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsCarriedByte(text, i)) {
            ++invalid;
        } else if (text[i] >= 0x80) {
            ++other;
        }
    }
    if (invalid + other == 0) return 0;
    return static_cast<int>(invalid * 100 / (invalid + other));
}

EmptyListReason ExplainEmptyList(const std::filesystem::path& source,
                                 const AnalysisRequest& request, const AnalysisResult& empty) {
    EmptyListReason reason;
    reason.nearMisses = empty.nearMisses.size();
    reason.automatic = request.automatic;
    if (empty.lineCount == 0) {
        reason.cause = EmptyListCause::EmptySource;
        return reason;
    }
    if (request.encoding != InputEncodingChoice::Auto) {
        AnalysisRequest guessed = Plain(request);
        guessed.encoding = InputEncodingChoice::Auto;
        const AnalysisResult again = Analyze(source, guessed);
        if (!SameLineBytes(again.encoding, empty.encoding)) {
            const int invalid = InvalidPercent(ReadHead(source), empty.encoding);
            // Few invalid bytes prove nothing: the automatic reading must find chapters,
            // with the rule asked for or, failing that, with the automatic rule.
            bool found = again.m_lngCount > 0;
            if (!found && invalid < kMostlyInvalidPercent && !request.automatic) {
                AnalysisRequest both = guessed;
                both.automatic = true;
                both.rule = nullptr;
                found = Analyze(source, both).m_lngCount > 0;
            }
            if (invalid >= kMostlyInvalidPercent || found) {
                reason.cause = EmptyListCause::WrongEncoding;
                reason.chosen = empty.encoding;
                reason.detected = again.encoding;
                reason.invalidPercent = invalid;
                return reason;
            }
        }
    }
    if (!request.automatic) {
        AnalysisRequest automatic = Plain(request);
        automatic.automatic = true;
        automatic.rule = nullptr;
        const AnalysisResult found = Analyze(source, automatic);
        if (found.m_lngCount > 0 && found.rule != nullptr && found.rule != request.rule) {
            reason.cause = EmptyListCause::OtherRule;
            reason.rule = found.rule;
            reason.ruleCount = found.m_lngCount;
            return reason;
        }
    }
    reason.cause = EmptyListCause::NoRuleFits;
    return reason;
}

std::u16string EmptyListMessage(const EmptyListReason& reason) {
    const std::u16string nearMisses =
        u"疑似标题(" + Count(static_cast<long long>(reason.nearMisses)) + u")";
    switch (reason.cause) {
    case EmptyListCause::EmptySource:
        return u"没有找到章节标题：源文件是空的。";
    case EmptyListCause::WrongEncoding: {
        std::u16string text =
            u"没有找到章节标题：按所选的源文件编码 " + NameOf(reason.chosen) + u" 读取";
        if (reason.invalidPercent >= kMostlyInvalidPercent)
            text += u"，文字多半无效（" + Count(reason.invalidPercent) + u"%的字节无法识别）";
        return text + u"。\n这个文件像是 " + NameOf(reason.detected) +
               u" 编码：请把“源文件编码”改为“自动识别”。";
    }
    case EmptyListCause::OtherRule:
        return u"没有找到章节标题：当前的标题条件一个也没有找到，内置规则" +
               Quoted(reason.rule->name) + u"能找到" + Count(reason.ruleCount) +
               u"个。\n请在“标题条件”下选" + Quoted(reason.rule->name) + u"或“自动”。";
    case EmptyListCause::NoRuleFits:
        break;
    }
    // A book without headings can still be cut into parts of a size.
    const std::u16string bySize = u"\n没有标题的书可以用“按字数分割”切成几部分。";
    if (reason.automatic)
        return u"没有找到章节标题：没有一种内置规则适合这本书。\n请看看" + Quoted(nearMisses) +
               u"中像标题的行，再选“自定义条件”写出合适的条件。" + bySize;
    return u"没有找到章节标题：当前的条件不适合这本书，也没有内置规则适合。\n试试在“标题条件”下选“"
           u"自动”，或看看" +
           Quoted(nearMisses) + u"。" + bySize;
}

} // namespace lumarin::engine
