// SPDX-License-Identifier: MIT
// Why a list came out empty, and what to try next.
#include "engine/headings/EmptyListReason.h"

#include "TestFiles.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/HeadingRules.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::TempDir;

// Chapters twelve lines apart under `headings`, the text in `unit`s.
std::u16string Novel(const std::vector<std::u16string>& headings) {
    std::u16string text = u"书名：水边\n";
    for (const std::u16string& heading : headings) {
        text += heading + u"\n";
        for (int i = 0; i < 11; ++i)
            text += u"　　这是正文的一行，风吹过江面，船慢慢地靠了岸。\n";
    }
    return text;
}

const std::vector<std::u16string> kZhang{u"第一章 起", u"第二章 承", u"第三章 转", u"第四章 合"};
const std::vector<std::u16string> kHui{u"第一回 起", u"第二回 承", u"第三回 转", u"第四回 合"};

struct Case {
    const char* name;
    std::vector<std::u16string> headings;
    const char* savedAs;        // the file's encoding
    InputEncodingChoice readAs; // the encoding chosen to read it
    const char* rule;           // a built-in rule, "auto", or nullptr: the default condition
    EmptyListCause cause;
};

AnalysisRequest RequestFor(const Case& c) {
    AnalysisRequest request;
    request.encoding = c.readAs;
    request.nearMisses = true;
    if (c.rule == nullptr) return request;
    if (std::u16string_view(u"auto") == FromUtf8(c.rule)) {
        request.automatic = true;
    } else {
        request.rule = FindRule(FromUtf8(c.rule));
    }
    return request;
}

// A wrong encoding is named whenever the right one finds chapters, even when
// the wrong one leaves only a few percent of the bytes invalid (UTF-8 read as
// GB18030 mostly makes pairs of valid, meaningless characters).
TEST(EmptyListReason, AWrongEncodingIsNamedWhenTheRightOneFindsChapters) {
    const Case cases[] = {
        {"UTF-8 as GB18030, automatic rule", kZhang, "UTF-8", InputEncodingChoice::Gb18030, "auto",
         EmptyListCause::WrongEncoding},
        {"UTF-8 as GB18030, default condition", kZhang, "UTF-8", InputEncodingChoice::Gb18030,
         nullptr, EmptyListCause::WrongEncoding},
        {"UTF-8 as GB18030, the condition misses 回", kHui, "UTF-8", InputEncodingChoice::Gb18030,
         nullptr, EmptyListCause::WrongEncoding},
        {"UTF-8 as GB18030, a named rule misses 回", kHui, "UTF-8", InputEncodingChoice::Gb18030,
         "第N章", EmptyListCause::WrongEncoding},
        {"GB18030 as UTF-8", kHui, "GB18030", InputEncodingChoice::Utf8, "auto",
         EmptyListCause::WrongEncoding},
        {"right encoding, another rule fits", kHui, "UTF-8", InputEncodingChoice::Utf8, nullptr,
         EmptyListCause::OtherRule},
        {"right encoding, automatic, nothing fits",
         {},
         "UTF-8",
         InputEncodingChoice::Utf8,
         "auto",
         EmptyListCause::NoRuleFits},
        {"wrong encoding, nothing to find either way",
         {},
         "UTF-8",
         InputEncodingChoice::Gb18030,
         "auto",
         EmptyListCause::NoRuleFits},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto source = dir.write("book.txt", Encode(Novel(c.headings), c.savedAs));
        const AnalysisRequest request = RequestFor(c);
        const AnalysisResult empty = Analyze(source, request);
        ASSERT_EQ(empty.m_lngCount, 0) << "the case needs an empty list";
        const EmptyListReason reason = ExplainEmptyList(source, request, empty);
        EXPECT_EQ(reason.cause, c.cause);
        if (c.cause != EmptyListCause::WrongEncoding) continue;
        const std::u16string message = EmptyListMessage(reason);
        EXPECT_NE(message.find(u"自动识别"), std::u16string::npos) << ToUtf8(message);
        EXPECT_EQ(message.find(u"内置规则适合"), std::u16string::npos) << ToUtf8(message);
    }
    // The case the advice is for: few of the bytes are invalid.
    const auto utf8 = dir.write("book.txt", Encode(Novel(kZhang), "UTF-8"));
    const int invalid = InvalidPercent(test::ReadBytes(utf8), Encoding::Gb18030);
    EXPECT_GT(invalid, 0);
    EXPECT_LT(invalid, 20);
}

} // namespace
} // namespace lumarin::engine
