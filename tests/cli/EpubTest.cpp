// SPDX-License-Identifier: MIT
// lumarin-split --epub: one book instead of chapter files, checked through a ZIP reader.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

using lumarin::test::ContentDocuments;
using lumarin::test::EntryText;
using lumarin::test::EpubEntry;
using lumarin::test::ReadEpub;

const std::vector<std::string> kHeadings{"第一章 开始", "第二章 继续", "第三章 结束", "第四章 远行",
                                         "第五章 归来"};

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<EpubEntry> WriteBook(const std::filesystem::path& source,
                                 const std::vector<std::string>& options = {}) {
    std::vector<std::string> args{"-q"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("--epub");
    args.push_back(source.string());
    const RunResult run = RunSplit(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    auto book = source;
    return ReadEpub(book.replace_extension(".epub"));
}

TEST(EpubTest, BookBesideTheSourceWithFrontMatterChaptersAndContents) {
    TempDir dir;
    auto lines = NovelLines({kHeadings[0], kHeadings[1], kHeadings[2]}, "《灯下旧事》 全本");
    lines.insert(lines.begin() + 1, "作者：无名氏");
    lines.push_back("　　他说：a<b && c>d");
    const auto source = dir.write("灯下.txt", Encode(JoinLines(lines, "\r\n"), "GBK"));

    const RunResult run = RunSplit({"-q", "--epub", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共3章，已写入 " + (dir / "灯下.epub").string() + "\n");
    EXPECT_EQ(ListFiles(dir.path()), (std::vector<std::string>{"灯下.epub", "灯下.txt"}));

    // Readers know a book by its first bytes: the mimetype entry, stored, without extra fields.
    const std::string bytes = ReadBytes(dir / "灯下.epub");
    EXPECT_EQ(bytes.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(bytes.substr(30, 28), "mimetypeapplication/epub+zip");
    const auto book = ReadEpub(dir / "灯下.epub");
    ASSERT_FALSE(book.empty());
    EXPECT_EQ(book[0].name, "mimetype");
    EXPECT_TRUE(book[0].stored);

    EXPECT_EQ(ContentDocuments(book),
              (std::vector<std::string>{"OEBPS/text/0000.xhtml", "OEBPS/text/0001.xhtml",
                                        "OEBPS/text/0002.xhtml", "OEBPS/text/0003.xhtml"}));
    const std::string package = EntryText(book, "OEBPS/content.opf");
    EXPECT_TRUE(Holds(package, "<dc:title>灯下旧事</dc:title>"));
    EXPECT_TRUE(Holds(package, "<dc:creator>无名氏</dc:creator>"));
    EXPECT_TRUE(Holds(package, "<dc:language>zh</dc:language>"));
    EXPECT_TRUE(Holds(package, "<itemref idref=\"d0000\"/>\n<itemref idref=\"d0001\"/>"));

    const std::string nav = EntryText(book, "OEBPS/nav.xhtml");
    EXPECT_TRUE(Holds(nav, "<li><a href=\"text/0001.xhtml#c1\">第一章 开始</a></li>\n"
                           "<li><a href=\"text/0002.xhtml#c2\">第二章 继续</a></li>\n"
                           "<li><a href=\"text/0003.xhtml#c3\">第三章 结束</a></li>\n"));
    const std::string ncx = EntryText(book, "OEBPS/toc.ncx");
    EXPECT_TRUE(
        Holds(ncx, "<text>第三章 结束</text></navLabel><content src=\"text/0003.xhtml#c3\""));

    EXPECT_TRUE(Holds(EntryText(book, "OEBPS/text/0000.xhtml"),
                      "<p>《灯下旧事》 全本</p>\n<p>作者：无名氏</p>\n</body>"));
    const std::string first = EntryText(book, "OEBPS/text/0001.xhtml");
    EXPECT_TRUE(Holds(first, "<title>第一章 开始</title>"));
    EXPECT_TRUE(Holds(first, "<h2 id=\"c1\">第一章 开始</h2>\n<p>　　第1段，风吹过江面。</p>\n"
                             "<p>　　第2段，风吹过江面。</p>"));
    EXPECT_TRUE(Holds(EntryText(book, "OEBPS/text/0003.xhtml"),
                      "<p>　　他说：a&lt;b &amp;&amp; c&gt;d</p>\n</body>"));
}

// Without a title in the front matter the file name is the title; a name that is blank
// (spaces or a tab only) gives a stand-in, as a book must have a title.
// Headings, volumes, the title and the author with & < > " ': every document of the book
// stays well-formed, and the contents show the text as it was.
TEST(EpubTest, EveryTextIsEscapedInEveryDocument) {
    TempDir dir;
    const auto source = dir.write("awkward.txt", JoinLines(AwkwardNovelLines(), "\n"));
    for (const std::vector<std::string>& layout :
         {std::vector<std::string>{"-c", "auto"},
          std::vector<std::string>{"-c", "auto", "-n", "2", "--split-size", "100"}}) {
        const auto entries = WriteBook(source, layout);
        ASSERT_FALSE(entries.empty());
        for (const EpubEntry& entry : entries) {
            if (entry.name.ends_with(".xhtml") || entry.name.ends_with(".opf") ||
                entry.name.ends_with(".ncx") || entry.name.ends_with(".xml")) {
                EXPECT_EQ(XmlProblem(entry.bytes), "") << entry.name;
            }
        }
        const std::string nav = EntryText(entries, "OEBPS/nav.xhtml");
        const std::string ncx = EntryText(entries, "OEBPS/toc.ncx");
        for (const char* label : {">第一卷 风&amp;雨<", ">第2章 &lt;夜&gt; \"雨\"",
                                  ">第二卷 '云' &lt;涌&gt;<", ">第3章 A &amp; B &lt; C"}) {
            EXPECT_TRUE(Holds(nav, label)) << label << "\n" << nav;
            EXPECT_TRUE(Holds(ncx, label)) << label << "\n" << ncx;
        }
        const std::string package = EntryText(entries, "OEBPS/content.opf");
        EXPECT_TRUE(Holds(package, "<dc:title>A&amp;B</dc:title>")) << package;
        EXPECT_TRUE(Holds(package, "<dc:creator>&lt;某&gt;</dc:creator>")) << package;
        std::filesystem::remove(dir / "awkward.epub");
    }
}

TEST(EpubTest, WithoutFrontMatterTheTitleIsTheFileName) {
    TempDir dir;
    auto lines = NovelLines({kHeadings[0], kHeadings[1]});
    lines.erase(lines.begin(), lines.begin() + 2); // the first heading on line 1
    const struct {
        std::string name;
        std::string title;
    } cases[] = {{"青灯.记.txt", "青灯.记"}, {"  .txt", "未命名"}, {"\t.txt", "未命名"}};
    for (const auto& c : cases) {
        const auto source = dir.write(c.name, JoinLines(lines, "\n"));
        const auto book = WriteBook(source);
        EXPECT_EQ(ContentDocuments(book),
                  (std::vector<std::string>{"OEBPS/text/0001.xhtml", "OEBPS/text/0002.xhtml"}));
        const std::string package = EntryText(book, "OEBPS/content.opf");
        EXPECT_TRUE(Holds(package, "<dc:title>" + c.title + "</dc:title>")) << c.name;
        EXPECT_FALSE(Holds(package, "dc:creator"));
    }
}

// Grouped documents, marks, filters and kept blank lines, as the chapter files have them.
TEST(EpubTest, ChaptersPerDocumentMarksFiltersAndBlankLines) {
    TempDir dir;
    const auto source = dir.write("novel.txt", JoinLines(NovelLines(kHeadings), "\n"));
    const auto book =
        WriteBook(source, {"-n", "3", "--check", "2", "-f", "风吹", "--keep-blank-lines"});
    // Kept chapters 1, 3, 4, 5: three to a document.
    EXPECT_EQ(ContentDocuments(book),
              (std::vector<std::string>{"OEBPS/text/0000.xhtml", "OEBPS/text/0001.xhtml",
                                        "OEBPS/text/0002.xhtml"}));
    const std::string nav = EntryText(book, "OEBPS/nav.xhtml");
    EXPECT_TRUE(Holds(nav, "<li><a href=\"text/0001.xhtml#c1\">第一章 开始</a></li>\n"
                           "<li><a href=\"text/0001.xhtml#c2\">第三章 结束</a></li>\n"
                           "<li><a href=\"text/0001.xhtml#c3\">第四章 远行</a></li>\n"
                           "<li><a href=\"text/0002.xhtml#c4\">第五章 归来</a></li>\n"));
    const std::string first = EntryText(book, "OEBPS/text/0001.xhtml");
    EXPECT_TRUE(Holds(first, "<h2 id=\"c1\">第一章 开始</h2>\n<p><br/></p>\n"
                             "<p>　　第1段，过江面。</p>"));
    EXPECT_TRUE(Holds(first, "<p>第二章 继续</p>")); // a checked heading is no split point
    EXPECT_TRUE(Holds(first, "<h2 id=\"c3\">第四章 远行</h2>"));
    EXPECT_FALSE(Holds(first, "第五章"));
}

TEST(EpubTest, LanguageFollowsTheScript) {
    TempDir dir;
    auto lines = NovelLines({"第一章 開始", "第二章 繼續"}, "書名：燈下舊事　作者：無名氏");
    for (auto& line : lines) {
        if (line.starts_with("　　"))
            line = "　　他們在渡口等了很久，風雨之後，燈還亮著，遠處傳來鐘聲。";
    }
    const auto source = dir.write("big5.txt", Encode(JoinLines(lines, "\r\n"), "BIG5"));

    const auto traditional = WriteBook(source);
    EXPECT_TRUE(
        Holds(EntryText(traditional, "OEBPS/content.opf"), "<dc:language>zh-Hant</dc:language>"));
    EXPECT_TRUE(Holds(EntryText(traditional, "OEBPS/text/0001.xhtml"), "燈還亮著"));
    std::filesystem::remove(dir / "big5.epub");

    const auto simplified = WriteBook(source, {"-s"});
    const std::string package = EntryText(simplified, "OEBPS/content.opf");
    EXPECT_TRUE(Holds(package, "<dc:language>zh</dc:language>"));
    EXPECT_TRUE(Holds(package, "<dc:creator>无名氏</dc:creator>"));
    EXPECT_TRUE(Holds(EntryText(simplified, "OEBPS/nav.xhtml"), ">第二章 继续</a>"));
    EXPECT_TRUE(Holds(EntryText(simplified, "OEBPS/text/0001.xhtml"), "他们在渡口"));
}

// Invalid bytes and characters XML cannot hold become U+FFFD and are counted, whichever way
// the line goes: straight through the table, or through the codec when a filter is set.
TEST(EpubTest, InvalidBytesBecomeReplacementCharactersAndAreCounted) {
    TempDir dir;
    auto lines = NovelLines({kHeadings[0], kHeadings[1]});
    std::string text = Encode(JoinLines(lines, "\r\n"), "GBK");
    const std::string paragraph = Encode("　　第1段", "GBK");
    text.insert(text.find(paragraph) + paragraph.size(), "\xFF\x80\x01");
    const auto source = dir.write("bad.txt", text);

    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, std::vector<std::string>{"-f", "不在书中"}}) {
        std::filesystem::remove(dir / "bad.epub");
        std::vector<std::string> args{"-q", "--epub", source.string()};
        args.insert(args.end(), options.begin(), options.end());
        const RunResult run = RunSplit(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        // Two bytes GBK has no code for, and a control character XML cannot hold.
        EXPECT_TRUE(Holds(run.out, "\n源文件中有2个无效字节，已替换为U+FFFD。\n"
                                   "源文件中有1个控制字符或非字符（EPUB不能容纳），"
                                   "已替换为U+FFFD。\n"))
            << run.out;
        const auto book = ReadEpub(dir / "bad.epub");
        EXPECT_TRUE(Holds(EntryText(book, "OEBPS/text/0001.xhtml"),
                          "<p>　　第1段\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD，风吹过江面。</p>"));
    }
}

// Valid UTF-8 that XML cannot hold is counted as characters of its kind, not as invalid bytes.
TEST(EpubTest, ControlAndNonCharactersAreNamedAndCountedAsCharacters) {
    TempDir dir;
    auto lines = NovelLines({kHeadings[0], kHeadings[1]});
    lines.back() += "\x07\xEF\xBF\xBF\xEF\xBF\xBE";
    const auto source = dir.write("nonchars.txt", JoinLines(lines, "\n"));
    const RunResult run = RunSplit({"-q", "--epub", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共2章，已写入 " + (dir / "nonchars.epub").string() +
                           "\n源文件中有3个控制字符或非字符（EPUB不能容纳），已替换为U+FFFD。\n");
}

// The table that most lines go through and the codec give the same book.
TEST(EpubTest, DirectLinesEqualDecodedLines) {
    TempDir dir;
    auto lines = NovelLines(kHeadings, "《书》 <&> 　");
    lines.push_back("　 ~ ÀÉ € ¥ ① ＠ 々 〇 ﹏");
    for (const char* charset : {"GB18030", "UTF-8"}) {
        const auto source =
            dir.write(std::string(charset) + ".txt", Encode(JoinLines(lines, "\n"), charset));
        const auto direct = WriteBook(source);
        std::filesystem::remove(std::filesystem::path(source).replace_extension(".epub"));
        const auto decoded = WriteBook(source, {"-f", "不在书中"});
        ASSERT_EQ(ContentDocuments(direct), ContentDocuments(decoded)) << charset;
        ASSERT_EQ(ContentDocuments(direct).size(), 6u);
        for (const auto& name : ContentDocuments(direct))
            EXPECT_EQ(EntryText(direct, name), EntryText(decoded, name)) << charset << name;
    }
}

// The book goes where chapter files would: into the chosen folder, named by the same bytes,
// made when missing.
TEST(EpubTest, WhereTheBookGoes) {
    TempDir dir;
    const auto source = dir.write("novel.txt", JoinLines(NovelLines(kHeadings), "\n"));
    std::filesystem::create_directory(dir / "out");
    const std::string gbk = Encode("输出", "GBK");
    // What a conversion of those bytes to UTF-8 would name: it must stay untouched.
    std::filesystem::create_directory(dir / "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    const struct {
        std::vector<std::string> args;
        std::filesystem::path expected;
    } cases[] = {
        {{"--epub", source.string()}, dir / "novel.epub"}, // SOURCE given back by --epub
        {{source.string(), "--epub", (dir / "out" / "b.epub").string()}, dir / "out" / "b.epub"},
        {{"-o", (dir / "out").string(), "--epub", source.string()}, dir / "out" / "novel.epub"},
        {{"-o", (dir / gbk).string(), "--epub", source.string()}, dir / gbk / "novel.epub"},
        {{"-o", (dir / "new" / "deeper").string(), "--epub", source.string()},
         dir / "new" / "deeper" / "novel.epub"},
        {{source.string(), "--epub", (dir / "missing" / "b.epub").string()},
         dir / "missing" / "b.epub"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"-q"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult run = RunSplit(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_FALSE(ReadEpub(c.expected).empty()) << c.expected;
    }
    EXPECT_EQ(ListFiles(dir.path()),
              (std::vector<std::string>{"missing/b.epub", "new/deeper/novel.epub", "novel.epub",
                                        "novel.txt", "out/b.epub", "out/novel.epub",
                                        gbk + "/novel.epub"}));
}

// A novel beside a book that is there already and a link to another file.
std::filesystem::path PlantTargets(const TempDir& dir) {
    const auto source = dir.write("novel.txt", JoinLines(NovelLines(kHeadings), "\n"));
    dir.write("existing.epub", "mine");
    dir.write("elsewhere.txt", "keep");
    std::filesystem::create_symlink(dir / "elsewhere.txt", dir / "link.epub");
    return source;
}

// Nothing is written over an existing file, through a link or onto the source, and a failed
// book leaves nothing.
TEST(EpubTest, RefusalsWriteNothing) {
    TempDir dir;
    const auto source = PlantTargets(dir);
    const struct {
        std::string target;
        int exitCode;
        std::string message;
    } cases[] = {
        {(dir / "existing.epub").string(), 1,
         "输出文件已存在: " + (dir / "existing.epub").string()},
        {(dir / "link.epub").string(), 1, "输出文件已存在: " + (dir / "link.epub").string()},
        {source.string(), 1, "无法写入: " + source.string() + ": is the source file"},
    };
    for (const auto& c : cases) {
        for (const char* existing : {"refuse", "append"}) {
            const RunResult run =
                RunSplit({"-q", "--existing", existing, source.string(), "--epub", c.target});
            EXPECT_EQ(run.exitCode, c.exitCode) << c.target;
            EXPECT_TRUE(run.err.starts_with(c.message)) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_EQ(ReadBytes(dir / "existing.epub"), "mine");
    EXPECT_EQ(ReadBytes(dir / "elsewhere.txt"), "keep");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.epub"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"elsewhere.txt", "existing.epub", "link.epub",
                                               "novel.txt"}));
}

TEST(EpubTest, OverwriteReplacesAFileOrALinkItself) {
    TempDir dir;
    const auto source = PlantTargets(dir);
    for (const char* name : {"existing.epub", "link.epub"}) {
        const RunResult run = RunSplit(
            {"-q", "--existing", "overwrite", source.string(), "--epub", (dir / name).string()});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_FALSE(std::filesystem::is_symlink(dir / name));
        EXPECT_EQ(ContentDocuments(ReadEpub(dir / name)).size(), 6u) << name;
    }
    EXPECT_EQ(ReadBytes(dir / "elsewhere.txt"), "keep");

    const std::string novel = ReadBytes(source);
    const RunResult onSource =
        RunSplit({"-q", "--existing", "overwrite", source.string(), "--epub", source.string()});
    EXPECT_EQ(onSource.exitCode, 1);
    EXPECT_EQ(ReadBytes(source), novel);
}

} // namespace
} // namespace lumarin::cli::test
