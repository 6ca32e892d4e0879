// SPDX-License-Identifier: MIT
#include "engine/epub/EpubWriter.h"

#include "TestFiles.h"
#include "engine/base/EngineError.h"
#include "engine/epub/XhtmlText.h"
#include "engine/output/FileNaming.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::ListFiles;
using test::TempDir;

TEST(AppendXhtmlText, EscapesAndReplacesWhatXmlCannotHold) {
    const struct {
        std::u16string text;
        std::string expected;
        std::size_t loneSurrogates, unfit;
    } cases[] = {
        {u"第一章 a<b && c>d \"'", "第一章 a&lt;b &amp;&amp; c&gt;d \"'", 0, 0},
        {u"\t　缩进", "\t　缩进", 0, 0},
        {u"𠀀😀", "\xF0\xA0\x80\x80\xF0\x9F\x98\x80", 0, 0}, // surrogate pairs
        {u"a\xDCFF"
         u"b",
         "a\xEF\xBF\xBD"
         "b",
         1, 0},                                              // a carried invalid byte
        {u"\xD840", "\xEF\xBF\xBD", 1, 0},                   // a lead surrogate at the end
        {u"\xDC00\xD840", "\xEF\xBF\xBD\xEF\xBF\xBD", 2, 0}, // trail before lead: no pair
        {u"\x01\x1F\xFFFE\xFFFF\x7F", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\x7F", 0, 4},
    };
    for (const auto& c : cases) {
        std::string out = "<p>";
        const XhtmlReplaced replaced = AppendXhtmlText(c.text, out);
        EXPECT_EQ(replaced.loneSurrogates, c.loneSurrogates) << c.expected;
        EXPECT_EQ(replaced.unfit, c.unfit) << c.expected;
        EXPECT_EQ(out, "<p>" + c.expected);
    }
}

// A source that grows, or is edited in place keeping its length, while the book is written:
// the run fails and leaves nothing, not even libzip's temporary file.
TEST(WriteEpub, ASourceThatChangesWhileWritingLeavesNothing) {
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> change;
    } cases[] = {
        {"Grown",
         [](const std::filesystem::path& source) {
             std::ofstream(source, std::ios::app) << "　　后来加上的\n";
         }},
        {"EditedInPlace",
         [](const std::filesystem::path& source) {
             std::fstream file(source, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(-4, std::ios::end);
             file << "字";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
            if (++started == 1) c.change(source);
        };
        try {
            WriteEpub(analysis, {false, false}, OutputOptions{}, dir / "novel.epub", callbacks);
            ADD_FAILURE() << "a changed source must not give a book";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.code(), ErrorCode::SourceChanged);
        }
        EXPECT_EQ(started, 3); // front matter and both chapters were started
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
    }
}

// Where a book goes follows the chapter files' rule, from the same bytes: a folder given as
// bytes that are not UTF-8 is that folder, never one named with U+FFFD.
TEST(EpubPathFor, UsesTheChosenFolderAsTheChapterFilesDo) {
    const struct {
        std::string source;
        std::u16string folderText;
        std::string expected;
    } cases[] = {
        {"/书/小说.txt", u"(default)", "/书/小说.epub"},
        {"小说.txt", u"(default)", "小说.epub"},
        {"/书/a.b.txt", u"/out", "/out/a.b.epub"},
        {"/书/小说.txt", FolderTextFromBytes("/\xB3\xF6"), "/\xB3\xF6/小说.epub"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EpubPathFor(c.source, c.folderText).string(), c.expected) << c.source;
        EXPECT_EQ(EpubPathFor(c.source, c.folderText).parent_path(),
                  OutputFolderFor(c.source, c.folderText).parent_path());
    }
}

} // namespace
} // namespace lumarin::engine
