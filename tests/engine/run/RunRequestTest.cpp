// SPDX-License-Identifier: MIT
#include "engine/run/RunRequest.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::ListFiles;
using test::Snapshot;
using test::TempDir;

// Three chapters in UTF-8, each long enough to keep its check mark clear.
std::string Novel() {
    std::string text = "书名\n";
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        text += std::string(heading) + "\n";
        for (int i = 0; i < 12; ++i)
            text += "　　正文\n";
    }
    return text;
}

RunRequest RequestFor(const std::filesystem::path& source) {
    RunRequest request;
    request.source = source;
    return request;
}

TEST(WriteRunOutput, ChapterFilesAndTheirMessage) {
    TempDir dir;
    const RunRequest request = RequestFor(dir.write("novel.txt", Novel()));
    const AnalysisResult analysis = AnalyzeRun(request);
    ASSERT_EQ(analysis.m_lngCount, 3);
    const auto outcome = WriteRunOutput(analysis, analysis.checked, request);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->written, dir / "novel");
    EXPECT_EQ(outcome->message, u"处理完毕！共4个文件！");
    EXPECT_EQ(ListFiles(dir / "novel").size(), 4u);
}

// The book goes to its own file when one is named, else beside the source or
// into the folder; with neither there is nowhere to write and nothing is.
TEST(WriteRunOutput, BookWhereTheRequestSays) {
    const struct {
        const char* name;
        std::u16string folderText;
        std::string bookFile; // relative to the scratch folder
        std::string expected; // "" for no book at all
    } cases[] = {
        {"beside the source", u"(default)", "", "novel.epub"},
        {"in the folder", u"books", "", "books/novel.epub"},
        {"its own file", u"books", "mine.epub", "mine.epub"},
        {"its own file, no folder", u" ", "mine.epub", "mine.epub"},
        {"nowhere", u"  ", "", ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::filesystem::create_directory(dir / "books");
        RunRequest request = RequestFor(dir.write("novel.txt", Novel()));
        request.format = OutputFormat::Book;
        request.output.folderText = dir.path().u16string() + u"/" + c.folderText;
        if (c.folderText == u"(default)") request.output.folderText = c.folderText;
        if (c.folderText.find_first_not_of(u' ') == std::u16string::npos)
            request.output.folderText = c.folderText;
        if (!c.bookFile.empty()) request.bookFile = dir / c.bookFile;
        const AnalysisResult analysis = AnalyzeRun(request);
        const auto before = Snapshot(dir.path());
        const auto outcome = WriteRunOutput(analysis, analysis.checked, request);
        if (c.expected.empty()) {
            EXPECT_FALSE(outcome) << c.name;
            EXPECT_EQ(Snapshot(dir.path()), before) << c.name;
            continue;
        }
        ASSERT_TRUE(outcome) << c.name;
        EXPECT_EQ(outcome->written, *BookPathFor(analysis, request)) << c.name;
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / c.expected)) << c.name;
        EXPECT_EQ(outcome->message.rfind(u"处理完毕！共3章，已写入 ", 0), 0u) << c.name;
    }
}

TEST(WriteRunOutput, ChapterFilesWithNoFolderWriteNothing) {
    TempDir dir;
    RunRequest request = RequestFor(dir.write("novel.txt", Novel()));
    request.output.folderText = u"   ";
    const AnalysisResult analysis = AnalyzeRun(request);
    const auto before = Snapshot(dir.path());
    EXPECT_FALSE(WriteRunOutput(analysis, analysis.checked, request));
    EXPECT_EQ(Snapshot(dir.path()), before);
}

} // namespace
} // namespace lumarin::engine
