// SPDX-License-Identifier: MIT
// What the output must never do: write over files it was not told to, follow
// a link below the chosen folder, or report a split of a source that changed
// under it as done. (Its own source and the chosen folder's bounds are tested
// end to end on lumarin-split.)
#include "TestFiles.h"
#include "TestText.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/output/ChapterFile.h"
#include "engine/output/ExistingFileProbe.h"
#include "engine/output/OpenHook.h"
#include "engine/output/OutputWriter.h"

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

namespace fs = std::filesystem;
using test::Encode;
using test::ListFiles;
using test::ReadBytes;
using test::Snapshot;
using test::TempDir;

constexpr std::u16string_view kNovel = u"书名\n第一章 开始\n甲\n\n\n\n\n\n\n\n\n\n"
                                       u"第二章 继续\n乙\n\n\n\n\n\n\n\n\n\n第三章 结束\n丙\n";

class OutputSafetyTest : public ::testing::Test {
protected:
    AnalysisResult analyse(const std::string& name = "w/小说.txt",
                           const std::string& bytes = Encode(kNovel, "UTF-8")) {
        m_source = m_dir.write(name, bytes);
        return Analyze(m_source, kDefaultCondition);
    }

    OutputOptions options(ExistingFiles existing, const std::string& folder = "out") const {
        OutputOptions result;
        result.folderText = FromUtf8((m_dir.path() / folder).string());
        result.filesPerFolder = 0;
        result.existing = existing;
        return result;
    }

    // The message of the EngineError the output throws, or "" when it writes.
    std::u16string failure(const AnalysisResult& analysis, const OutputOptions& o,
                           const OutputCallbacks& callbacks = {}) {
        try {
            WriteOutput(analysis, analysis.checked, o, callbacks);
        } catch (const EngineError& error) {
            m_kind = error.kind();
            return error.message();
        }
        return {};
    }

    std::u16string u16(const fs::path& path) const { return FromUtf8(path.string()); }

    TempDir m_dir;
    fs::path m_source;
    ErrorKind m_kind = ErrorKind::Refused;
};

// An existing chapter file, and a link planted where the next one goes whose
// target lies outside the chosen folder.
TEST_F(OutputSafetyTest, ExistingFilesAndPlantedLinksFollowTheMode) {
    const auto analysis = analyse("小说.txt", "\xEF\xBB\xBF" + Encode(kNovel, "UTF-8"));
    const fs::path out = m_dir / "out" / "小说";
    const fs::path outside = m_dir.write("outside.txt", "keep me");
    const struct {
        ExistingFiles mode;
        std::u16string message;
        ErrorKind kind;
    } cases[] = {
        {ExistingFiles::Refuse, u"输出文件已存在: " + u16(out / "001-1开始.txt"),
         ErrorKind::Refused},
        {ExistingFiles::Append,
         u"无法写入: " + u16(out / "002-2继续.txt") + u": is a symbolic link", ErrorKind::Io},
        {ExistingFiles::Overwrite, u"", ErrorKind::Refused},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        fs::remove_all(m_dir / "out");
        m_dir.write("out/小说/001-1开始.txt", "old text");
        fs::create_symlink(outside, out / "002-2继续.txt");
        const auto before = Snapshot(m_dir.path());

        EXPECT_EQ(failure(analysis, options(c.mode)), c.message);
        EXPECT_EQ(ReadBytes(outside), "keep me");
        if (!c.message.empty()) {
            EXPECT_EQ(m_kind, c.kind);
            EXPECT_EQ(Snapshot(m_dir.path()), before) << "a refusal writes nothing";
            continue;
        }
        // Each file starts afresh with its BOM; the link itself was replaced.
        EXPECT_EQ(ReadBytes(out / "001-1开始.txt"),
                  "\xEF\xBB\xBF" + Encode(u"第一章 开始\r\n甲\r\n", "UTF-8"));
        EXPECT_FALSE(fs::is_symlink(out / "002-2继续.txt"));
        EXPECT_EQ(ReadBytes(out / "002-2继续.txt"),
                  "\xEF\xBB\xBF" + Encode(u"第二章 继续\r\n乙\r\n", "UTF-8"));
    }
}

TEST_F(OutputSafetyTest, ExistingFilesAreCountedOnceInWritingOrder) {
    const auto analysis = analyse();
    OutputOptions o = options(ExistingFiles::Refuse);
    o.filesPerFolder = 2;
    o.namePattern = u"%c";
    const auto plan = PlanOutput(analysis, analysis.checked, o);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->fileCount, 4);
    const PlannedFile last = PlannedFileAt(*plan, 3);
    EXPECT_EQ(last.folder, "3-3(第3章+)");
    EXPECT_EQ(last.firstLine, 24);
    EXPECT_EQ(last.endLine, 26);
    EXPECT_TRUE(FindExistingFiles(*plan).empty());

    const fs::path out = m_dir / "out" / "小说";
    m_dir.write("out/小说/3-3(第3章+)/3.txt", "");
    fs::create_symlink("nowhere", out / "0.txt");
    fs::create_directories(out / "1-2(第1章+)");
    fs::create_hard_link(m_dir.write("other.txt", ""), out / "1-2(第1章+)" / "1.txt");
    const auto existing = FindExistingFiles(*plan);
    ASSERT_EQ(existing.size(), 3u);
    const auto pathOf = [&](const ExistingFile& file) {
        return PathOf(*plan, PlannedFileAt(*plan, file.fileNumber));
    };
    EXPECT_EQ(pathOf(existing[0]), out / "0.txt");
    EXPECT_EQ(existing[0].kind, ExistingFile::Kind::SymbolicLink);
    EXPECT_EQ(pathOf(existing[1]), out / "1-2(第1章+)" / "1.txt");
    EXPECT_EQ(existing[1].kind, ExistingFile::Kind::HardLink);
    EXPECT_EQ(pathOf(existing[2]), out / "3-3(第3章+)" / "3.txt");
    EXPECT_EQ(existing[2].kind, ExistingFile::Kind::File);
}

// A chapter file that has another name, perhaps outside the chosen folder: writing to it would
// change that file too. Adding to it is refused; overwriting gives the chapter a file of its own.
TEST_F(OutputSafetyTest, AFileWithAnotherNameIsNeverWrittenThrough) {
    const auto analysis = analyse("小说.txt", Encode(kNovel, "UTF-8"));
    const fs::path out = m_dir / "out" / "小说";
    const fs::path outside = m_dir / "outside.txt";
    const struct {
        ExistingFiles mode;
        std::u16string message;
    } cases[] = {
        {ExistingFiles::Refuse, u"输出文件已存在: " + u16(out / "002-2继续.txt")},
        {ExistingFiles::Append, u"无法写入: " + u16(out / "002-2继续.txt") + u": is a hard link"},
        {ExistingFiles::Overwrite, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        fs::remove_all(m_dir / "out");
        m_dir.write("outside.txt", "keep me");
        fs::create_directories(out);
        fs::create_hard_link(outside, out / "002-2继续.txt");
        const auto before = Snapshot(m_dir.path());

        EXPECT_EQ(failure(analysis, options(c.mode)), c.message);
        EXPECT_EQ(ReadBytes(outside), "keep me");
        if (!c.message.empty()) {
            EXPECT_EQ(Snapshot(m_dir.path()), before) << "a refusal writes nothing";
            continue;
        }
        EXPECT_EQ(fs::hard_link_count(out / "002-2继续.txt"), 1u);
        EXPECT_EQ(ReadBytes(out / "002-2继续.txt"), Encode(u"第二章 继续\r\n乙\r\n", "UTF-8"));
    }
}

// A second name given to a file after the run looked (its own files included) is caught
// when the file is opened, before a byte goes in.
TEST_F(OutputSafetyTest, AChapterFileNeverAddsToAFileWithAnotherName) {
    const fs::path outside = m_dir.write("outside.txt", "keep me");
    fs::create_hard_link(outside, m_dir / "chapter.txt");
    const int folder = ::open(m_dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    try {
        ChapterFile file(folder, "chapter.txt", m_dir / "chapter.txt", "", OpenMode::Append);
        file.buffer() = "added";
        file.close();
        ADD_FAILURE() << "a file with another name must not be added to";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(),
                  u"无法写入: " + u16(m_dir / "chapter.txt") + u": is a hard link");
    }
    ::close(folder);
    EXPECT_EQ(ReadBytes(outside), "keep me");
}

// Another process links, renames or plants a link between the run's look at a chapter file
// and its open: whatever it put there, no file but the run's own is emptied or added to.
TEST_F(OutputSafetyTest, WhatIsPlantedBetweenTheLookAndTheOpenIsNeverWrittenThrough) {
    const std::string bytes = Encode(kNovel, "UTF-8");
    const fs::path chapter = m_dir / "out" / "小说" / "002-2继续.txt";
    const fs::path outside = m_dir / "outside.txt";
    const struct {
        const char* name;
        std::function<void()> plant;
        std::u16string reason;
    } cases[] = {
        {"HardLink", [&] { fs::create_hard_link(outside, chapter); }, u"is a hard link"},
        {"SymbolicLink", [&] { fs::create_symlink(outside, chapter); }, u"is a symbolic link"},
        {"SourceMovedThere", [&] { fs::rename(m_source, chapter); }, u"is the source file"},
    };
    for (const auto& c : cases) {
        for (const ExistingFiles mode : {ExistingFiles::Overwrite, ExistingFiles::Append}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(static_cast<int>(mode)));
            fs::remove_all(m_dir / "out");
            m_dir.write("outside.txt", "keep me");
            const auto analysis = analyse("小说.txt", bytes);
            const fs::path source = m_source;
            BeforeOpenForTesting() = [&](const std::string& name) {
                if (name == chapter.filename()) c.plant();
            };
            const std::u16string message = failure(analysis, options(mode));
            BeforeOpenForTesting() = nullptr;
            EXPECT_EQ(message, u"无法写入: " + u16(chapter) + u": " + c.reason);
            EXPECT_EQ(ReadBytes(outside), "keep me");
            EXPECT_EQ(ReadBytes(fs::exists(source) ? source : chapter), bytes);
            fs::remove(chapter);
        }
    }
}

// The same for the folders a run makes: a link put in place of the book's folder or a group
// folder after it was made and before it is opened is refused in every mode, and nothing goes
// where the link points.
TEST_F(OutputSafetyTest, AFolderSwappedForALinkBeforeItIsOpenedIsNeverEntered) {
    const auto analysis = analyse("小说.txt", Encode(kNovel, "UTF-8"));
    const fs::path elsewhere = m_dir / "elsewhere";
    const struct {
        std::string name;
        fs::path folder;
        std::int32_t filesPerFolder;
    } cases[] = {
        {"小说", m_dir / "out" / "小说", 0},
        {"1-3(第1章+)", m_dir / "out" / "小说" / "1-3(第1章+)", 50},
    };
    for (const auto& c : cases) {
        for (const ExistingFiles mode :
             {ExistingFiles::Refuse, ExistingFiles::Overwrite, ExistingFiles::Append}) {
            SCOPED_TRACE(c.name + " " + std::to_string(static_cast<int>(mode)));
            fs::remove_all(m_dir / "out");
            fs::remove_all(elsewhere);
            fs::create_directories(elsewhere);
            BeforeOpenForTesting() = [&](const std::string& name) {
                if (name != c.name) return;
                fs::remove(c.folder); // the empty folder the run has just made
                fs::create_symlink(elsewhere, c.folder);
            };
            OutputOptions o = options(mode);
            o.filesPerFolder = c.filesPerFolder;
            const std::u16string message = failure(analysis, o);
            BeforeOpenForTesting() = nullptr;
            EXPECT_EQ(message, u"无法写入: " + u16(c.folder) + u": is a symbolic link");
            EXPECT_EQ(m_kind, ErrorKind::Io);
            EXPECT_TRUE(fs::is_empty(elsewhere)) << "written through the link";
        }
    }
}

// One run writes a book's folder at a time: while another holds it, a run writes nothing.
TEST_F(OutputSafetyTest, AFolderAnotherRunHoldsIsRefused) {
    const auto analysis = analyse();
    const fs::path out = m_dir / "out" / "小说";
    fs::create_directories(out);
    const int held = ::open(out.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    for (const ExistingFiles mode :
         {ExistingFiles::Refuse, ExistingFiles::Overwrite, ExistingFiles::Append}) {
        EXPECT_EQ(failure(analysis, options(mode)), u"另一个输出正在写入: " + u16(out));
        EXPECT_EQ(m_kind, ErrorKind::Refused);
        EXPECT_TRUE(fs::is_empty(out));
    }
    ::close(held);
    EXPECT_EQ(failure(analysis, options(ExistingFiles::Refuse)), u"");
    EXPECT_EQ(ListFiles(out).size(), 4u);
}

// A link where a folder of the output goes is refused in every mode, before anything is written.
TEST_F(OutputSafetyTest, LinkedFoldersAreNeverEntered) {
    const auto analysis = analyse();
    fs::create_directories(m_dir / "elsewhere");
    const struct {
        const char* link;
        fs::path shown;
    } cases[] = {
        {"out/小说", m_dir / "out" / "小说"},
        {"out/小说/1-3(第1章+)", m_dir / "out" / "小说" / "1-3(第1章+)"},
    };
    for (const auto& c : cases) {
        for (const ExistingFiles mode :
             {ExistingFiles::Refuse, ExistingFiles::Overwrite, ExistingFiles::Append}) {
            fs::remove_all(m_dir / "out");
            fs::create_directories((m_dir / c.link).parent_path());
            fs::create_symlink(m_dir / "elsewhere", m_dir / c.link);
            OutputOptions o = options(mode);
            o.filesPerFolder = 50;
            EXPECT_EQ(failure(analysis, o), u"无法写入: " + u16(c.shown) + u": is a symbolic link");
            EXPECT_TRUE(fs::is_empty(m_dir / "elsewhere"));
            EXPECT_TRUE(ListFiles(m_dir / "out").empty());
        }
    }
}

// The source changes while it is split: the run stops and is not reported as done.
TEST_F(OutputSafetyTest, ASourceThatChangesWhileWrittenStopsTheRun) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> change;
    } cases[] = {
        {"Truncated", [](const fs::path& source) { fs::resize_file(source, 10); }},
        {"Grown",
         [](const fs::path& source) {
             std::FILE* file = std::fopen(source.c_str(), "ab");
             std::fputs("多出的一行\n", file);
             std::fclose(file);
         }},
        // Same length, one character for another far into the text: only the times show it.
        {"EditedInPlace",
         [](const fs::path& source) {
             const std::string bytes = ReadBytes(source);
             std::fstream file(source, std::ios::in | std::ios::out | std::ios::binary);
             file.seekp(static_cast<std::streamoff>(bytes.find("这是", bytes.size() / 2)));
             file << "那是";
         }},
    };
    // Far longer than one read of the source, so the change is seen while the files are written.
    std::u16string novel = u"书名\n第一章 开始\n";
    for (int i = 0; i < 100000; ++i)
        novel += u"这是正文的一行。\n";
    novel += kNovel.substr(kNovel.find(u"第二章"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_dir / "out");
        const auto analysis = analyse("w/小说.txt", Encode(novel, "UTF-8"));
        OutputCallbacks callbacks;
        callbacks.onFileStarted = [&](const FileProgress& progress) {
            if (progress.fileNumber == 1) c.change(m_source);
        };
        EXPECT_EQ(failure(analysis, options(ExistingFiles::Refuse), callbacks),
                  u"源文件已改变，请重新分析!");
        EXPECT_EQ(m_kind, ErrorKind::Refused);
    }
}

// Same size and modification time, but another file: the stamp tells them apart.
TEST_F(OutputSafetyTest, AReplacedSourceIsNotTheOneAnalysed) {
    const auto analysis = analyse();
    struct stat info {};
    ASSERT_EQ(::stat(m_source.c_str(), &info), 0);
    const fs::path copy = m_dir.write("w/copy.txt", ReadBytes(m_source));
    const timespec times[2] = {info.st_atim, info.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, copy.c_str(), times, 0), 0);
    fs::rename(copy, m_source);
    EXPECT_EQ(failure(analysis, options(ExistingFiles::Refuse)), u"源文件已改变，请重新分析!");
    EXPECT_FALSE(fs::exists(m_dir / "out"));
}

} // namespace
} // namespace lumarin::engine
