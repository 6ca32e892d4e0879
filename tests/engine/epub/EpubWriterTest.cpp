#include "engine/epub/EpubWriter.h"

#include "TestFiles.h"
#include "engine/base/EngineError.h"
#include "engine/epub/XhtmlText.h"

#include <fstream>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::ListFiles;
using test::TempDir;

TEST(AppendXhtmlText, EscapesAndReplacesWhatXmlCannotHold) {
    const struct {
        std::u16string text;
        std::string expected;
        std::size_t replaced;
    } cases[] = {
        {u"第一章 a<b && c>d \"'", "第一章 a&lt;b &amp;&amp; c&gt;d \"'", 0},
        {u"\t　缩进", "\t　缩进", 0},
        {u"𠀀😀", "\xF0\xA0\x80\x80\xF0\x9F\x98\x80", 0}, // surrogate pairs
        {u"a\xDCFF"
         u"b",
         "a\xEF\xBF\xBD"
         "b",
         1},                                              // a carried invalid byte
        {u"\xD840", "\xEF\xBF\xBD", 1},                   // a lead surrogate at the end
        {u"\xDC00\xD840", "\xEF\xBF\xBD\xEF\xBF\xBD", 2}, // trail before lead: no pair
        {u"\x01\x1F\xFFFE\xFFFF\x7F", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x7F", 4},
    };
    for (const auto& c : cases) {
        std::string out = "<p>";
        EXPECT_EQ(AppendXhtmlText(c.text, out), c.replaced) << c.expected;
        EXPECT_EQ(out, "<p>" + c.expected);
    }
}

// A source that grows while the book is written: the run fails and leaves nothing, not even
// libzip's temporary file.
TEST(WriteEpub, ASourceThatChangesWhileWritingLeavesNothing) {
    TempDir dir;
    std::string text = "书名\n";
    for (const char* heading : {"第一章 开始", "第二章 继续"}) {
        text += std::string(heading) + "\n";
        for (int i = 0; i < 12; ++i)
            text += "　　正文\n";
    }
    const auto source = dir.write("novel.txt", text);
    const AnalysisResult analysis = Analyze(source, kDefaultCondition);
    ASSERT_EQ(analysis.m_lngCount, 2);

    OutputCallbacks callbacks;
    int started = 0;
    callbacks.onFileStarted = [&](const FileProgress&) {
        if (++started == 1) std::ofstream(source, std::ios::app) << "　　后来加上的\n";
    };
    try {
        WriteEpub(analysis, {false, false}, OutputOptions{}, dir / "novel.epub", callbacks);
        FAIL() << "a changed source must not give a book";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::SourceChanged);
    }
    EXPECT_EQ(started, 3); // front matter and both chapters were started
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
}

} // namespace
} // namespace lumarin::engine
