// SPDX-License-Identifier: MIT
// --cover with the real binary: a whole JPEG or PNG goes into the book; anything else is
// refused, saying what it is, before anything is written, and a special file never blocks.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::cli::test {
namespace {

using lumarin::test::EntryText;
using lumarin::test::ReadEpub;

// Made with ImageMagick, 24 x 32 pixels.
std::string Picture(const char* name) {
    return ReadBytes(std::string(LUMARIN_COVERS_DIR) + "/" + name);
}

fs::path WriteBook(const TempDir& dir) {
    return dir.write("book.txt", JoinLines(NovelLines({"第一章 开始", "第二章 继续"}), "\n"));
}

// A title with every character that means something in XML.
const std::string kAwkwardTitle = "灯下 \"旧\" 事 & <夜> '雨'";

TEST(CoverTest, APictureGetsAPageAndTheCoverPropertyWhateverTheTitle) {
    const struct {
        const char* picture;
        const char* entry;
        const char* mediaType;
    } cases[] = {
        {"rgb.png", "images/cover.png", "image/png"},
        {"progressive.jpg", "images/cover.jpg", "image/jpeg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        TempDir dir;
        const auto cover = dir.write(c.picture, Picture(c.picture));
        const RunResult run =
            RunSplit({"-q", "--epub", (dir / "book.epub").string(), "--title", kAwkwardTitle,
                      "--author", "\"某'人\"", "--cover", cover.string(), WriteBook(dir).string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto entries = ReadEpub(dir / "book.epub");
        const std::string package = EntryText(entries, "OEBPS/content.opf");
        EXPECT_NE(package.find("properties=\"cover-image\""), std::string::npos) << package;
        EXPECT_NE(package.find(std::string("media-type=\"") + c.mediaType), std::string::npos);
        EXPECT_NE(package.find("<itemref idref=\"cover\"/>"), std::string::npos) << package;
        EXPECT_EQ(EntryText(entries, std::string("OEBPS/") + c.entry), Picture(c.picture));
        const std::string page = EntryText(entries, "OEBPS/cover.xhtml");
        EXPECT_NE(page.find(c.entry), std::string::npos) << page;
        EXPECT_NE(page.find("alt=\"灯下 &quot;旧&quot; 事 &amp; &lt;夜&gt; &apos;雨&apos;\""),
                  std::string::npos)
            << page;
        for (const char* name : {"OEBPS/cover.xhtml", "OEBPS/content.opf", "OEBPS/nav.xhtml",
                                 "OEBPS/toc.ncx", "OEBPS/text/0001.xhtml"})
            EXPECT_EQ(XmlProblem(EntryText(entries, name)), "") << name;
    }
}

// A cover that cannot be used is said, with its path, and no book is written.
TEST(CoverTest, RefusesWhatIsNoWholePictureAndWritesNothing) {
    const std::string png = Picture("rgb.png");
    const std::string jpeg = Picture("baseline.jpg");
    std::string damaged = png;
    damaged[damaged.find("IDAT") + 6] ^= 0x21;
    struct Case {
        const char* name;
        std::string bytes; // nothing written for a missing file
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"missing.png", {}, 3, "无法读取文件"},
        {"text.jpg", "not a picture at all", 1, "封面不是JPEG或PNG图片"},
        {"empty.png", std::string(), 1, "封面不是JPEG或PNG图片"},
        {"garbage.png", png.substr(0, 8) + std::string(500, 'x'), 1, "封面不是JPEG或PNG图片"},
        {"cut.png", png.substr(0, png.size() - 20), 1, "封面不是JPEG或PNG图片"},
        {"crc.png", damaged, 1, "封面不是JPEG或PNG图片"},
        {"cut.jpg", jpeg.substr(0, jpeg.size() / 2), 1, "封面不是JPEG或PNG图片"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto source = WriteBook(dir);
        const auto cover = dir / c.name;
        if (std::string(c.name) != "missing.png") WriteBytes(cover, c.bytes);
        const auto before = ListFiles(dir.path());
        const RunResult run = RunSplit({"-q", "--epub", (dir / "book.epub").string(), "--cover",
                                        cover.string(), source.string()});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(std::string(c.message) + ": " + cover.string()), std::string::npos)
            << run.err;
        EXPECT_EQ(ListFiles(dir.path()), before);
    }
    const RunResult run = RunSplit({"--cover", "x.png", "--list", "book.txt"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("--cover needs --epub"), std::string::npos) << run.err;
}

TEST(CoverTest, APictureTooLargeIsRefusedWithTheLimit) {
    TempDir dir;
    const auto source = WriteBook(dir);
    // Sparse: the size alone refuses it, none of it is read.
    const auto heavy = dir.write("heavy.png", Picture("rgb.png"));
    ASSERT_EQ(::truncate(heavy.c_str(), 64 * 1024 * 1024 + 1), 0);
    // A header of 20000 x 20000 pixels.
    std::string wide = Picture("baseline.jpg");
    wide.replace(wide.find("\xFF\xC0") + 5, 4, "\x4E\x20\x4E\x20");
    const auto huge = dir.write("huge.jpg", wide);
    const struct {
        fs::path cover;
        const char* limit;
    } cases[] = {{heavy, "上限64 MB"}, {huge, "上限每边16384像素"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cover.filename().string());
        const RunResult run = RunSplit({"-q", "--epub", (dir / "book.epub").string(), "--cover",
                                        c.cover.string(), source.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("封面太大: " + c.cover.string()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.limit), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "book.epub"));
    }
}

// A FIFO nobody writes to, a device, a folder and standard input: each said at once. A run
// that blocks is killed at the limit and fails the test instead of hanging the suite.
TEST(CoverTest, ASpecialFileIsRefusedAtOnceSayingSo) {
    TempDir dir;
    const auto source = WriteBook(dir);
    const auto fifo = dir / "cover.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir / "folder.jpg");
    for (const std::string& cover :
         {fifo.string(), std::string("/dev/zero"), (dir / "folder.jpg").string(),
          std::string("/dev/stdin"), std::string("-")}) {
        SCOPED_TRACE(cover);
        const RunResult run = RunSplitWithin(
            {"-q", "--epub", (dir / "book.epub").string(), "--cover", cover, source.string()},
            std::chrono::seconds(60));
        ASSERT_NE(run.exitCode, kTimedOut) << "blocked on " << cover;
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_NE(run.err.find("不是普通文件: " + cover), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "book.epub"));
    }
}

} // namespace
} // namespace lumarin::cli::test
