// SPDX-License-Identifier: MIT
// --clean, --unwrap and the book's own title and author, run with the real binary on
// the cleaning corpus (tests/data/cleanup, written by its make-corpus.py).
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace lumarin::cli::test {
namespace {

using lumarin::test::EntryText;
using lumarin::test::ReadEpub;
using namespace std::string_literals;

const std::string kCorpus = LUMARIN_CLEANUP_CORPUS;

std::string Corpus(const std::string& name) {
    return ReadBytes(kCorpus + "/" + name);
}

// Every chapter file of a split into one folder, in order, without the byte order mark
// each UTF-16 file starts with.
std::string SplitText(const std::filesystem::path& folder) {
    std::string text;
    for (const auto& file : ListFiles(folder)) {
        const std::string bytes = ReadBytes(folder / file);
        text += bytes.starts_with("\xFF\xFE") ? bytes.substr(2) : bytes;
    }
    return text;
}

// Splits `source` into one folder with blank lines kept; returns the files joined.
std::string SplitWith(const std::filesystem::path& source, const TempDir& dir,
                      std::vector<std::string> options, RunResult* run = nullptr) {
    std::vector<std::string> args{"-q", "--keep-blank-lines",  "-n", "999", "-g", "0",
                                  "-o", (dir / "out").string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(source.string());
    const RunResult result = RunSplit(args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    if (run != nullptr) *run = result;
    return SplitText(dir / "out" / source.stem());
}

// The cleaning corpus's books with advertisements, each in the encodings its script is written in.
const struct AdsBook {
    const char* name;
    std::vector<std::string> charsets;
} kAdsBooks[] = {{"ads", {"UTF-8", "GBK"}}, {"ads-traditional", {"UTF-8", "BIG5"}}};

TEST(CleanTest, ListsExactlyTheLinesThatAreNotTheBooks) {
    for (const AdsBook& book : kAdsBooks) {
        for (const std::string& charset : book.charsets) {
            SCOPED_TRACE(std::string(book.name) + " " + charset);
            TempDir dir;
            const auto source = dir.write("ads.txt", Encode(Corpus(book.name + ".txt"s), charset));
            const RunResult list = RunSplit({"--list", "--clean", source.string()});
            ASSERT_EQ(list.exitCode, 0) << list.err;
            std::string removed;
            for (const auto& line : SplitLines(list.out))
                if (line.starts_with("removed\t")) removed += line + "\n";
            EXPECT_EQ(removed, Corpus(book.name + ".removed"s));
            // Without --clean nothing is said about removal.
            EXPECT_EQ(RunSplit({"--list", source.string()}).out.find("removed"), std::string::npos);
        }
    }
}

TEST(CleanTest, JsonListsLineTextAndReason) {
    TempDir dir;
    const auto source = dir.write("ads.txt", Corpus("ads.txt"));
    const RunResult list = RunSplit({"--list", "--json", "--clean", source.string()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const QJsonArray removed =
        QJsonDocument::fromJson(QByteArray::fromStdString(list.out)).object()["removed"].toArray();
    const auto expected = SplitLines(Corpus("ads.removed"));
    ASSERT_EQ(static_cast<std::size_t>(removed.size()), expected.size());
    for (qsizetype i = 0; i < removed.size(); ++i) {
        const QJsonObject row = removed[i].toObject();
        const std::string rebuilt = "removed\t" + std::to_string(row["line"].toInteger()) + "\t" +
                                    row["reason"].toString().toStdString() + "\t" +
                                    row["text"].toString().toStdString();
        EXPECT_EQ(rebuilt, expected[static_cast<std::size_t>(i)]);
    }
}

// The files hold the source without the listed lines, in whatever encoding the source has.
TEST(CleanTest, SplitDropsTheListedLinesAndSaysHowMany) {
    for (const AdsBook& book : kAdsBooks) {
        for (const std::string& charset : book.charsets) {
            SCOPED_TRACE(std::string(book.name) + " " + charset);
            TempDir dir;
            const std::string text = Corpus(book.name + ".txt"s);
            const auto source = dir.write("ads.txt", Encode(text, charset));
            std::set<std::size_t> dropped;
            for (const auto& row : SplitLines(Corpus(book.name + ".removed"s)))
                dropped.insert(std::stoul(row.substr(row.find('\t') + 1)));
            std::string expected;
            const auto lines = SplitLines(text);
            for (std::size_t n = 1; n <= lines.size(); ++n)
                if (!dropped.contains(n)) expected += lines[n - 1] + "\r\n";
            RunResult run;
            EXPECT_EQ(SplitWith(source, dir, {"--clean"}, &run), Encode(expected, charset));
            EXPECT_NE(run.out.find("已删除" + std::to_string(dropped.size()) + "行"),
                      std::string::npos)
                << run.out;
        }
    }
}

TEST(CleanTest, BookLeavesOutTheListedLinesAndKeepsTheStory) {
    TempDir dir;
    const auto source = dir.write("ads.txt", Corpus("ads.txt"));
    const auto book = dir / "ads.epub";
    const RunResult run = RunSplit({"-q", "--clean", "--epub", book.string(), source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string text;
    for (const auto& entry : ReadEpub(book))
        text += entry.bytes;
    for (const std::string gone :
         {"更多精彩请访问", "-- 12 --", "页面 4", "（本章完）", "看书认准青灯堂"})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone;
    for (const std::string kept :
         {"www.baidu.com", "这本书在起点首发的时候", "“首发？”", "打开了一个网址", "第一章 风起",
          "夜深了"})
        EXPECT_NE(text.find(kept), std::string::npos) << kept;
}

// Paragraphs set apart by punctuation alone, indented paragraphs whose wrap falls right
// after a sentence, and headings that are no split points and titles no condition matches,
// after full lines: they stay lines of their own. Cleaning takes nothing from these books:
// a paragraph's last words repeated at chapter ends are no stamp.
TEST(UnwrapTest, JoinsAHardWrappedBookBackIntoItsParagraphs) {
    for (const std::string book : {"", "-at-stops", "-headings"}) {
        for (const std::string charset : {"UTF-8", "GBK", "UTF-16LE"}) {
            SCOPED_TRACE(book + " " + charset);
            // UTF-16 is known by its byte order mark.
            const std::string mark = charset == "UTF-16LE" ? "\xFF\xFE" : "";
            TempDir dir;
            const std::string wrapped = Corpus("wrapped" + book + ".txt");
            const auto source = dir.write("wrapped.txt", mark + Encode(wrapped, charset));
            EXPECT_EQ(SplitWith(source, dir, {"--clean", "--unwrap", "-c", "auto"}),
                      Encode(Corpus("unwrapped" + book + ".txt"), charset));
        }
    }
}

// Books that are not hard-wrapped (verse among them), and a book with nothing to clean, come
// out as they went in.
TEST(UnwrapTest, LeavesBooksThatAreNotWrappedAsTheyAre) {
    for (const std::string name :
         {"plain.txt", "unwrapped.txt", "unwrapped-at-stops.txt", "verse.txt"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        const auto source = dir.write(name, Corpus(name));
        EXPECT_EQ(SplitWith(source, dir, {"--clean", "--unwrap"}), Corpus(name));
    }
}

TEST(UnwrapTest, BookParagraphsAreTheOriginalOnes) {
    TempDir dir;
    const auto source = dir.write("wrapped.txt", Corpus("wrapped.txt"));
    const auto book = dir / "wrapped.epub";
    ASSERT_EQ(RunSplit({"-q", "--unwrap", "--epub", book.string(), source.string()}).exitCode, 0);
    const std::string chapter = EntryText(ReadEpub(book), "OEBPS/text/0001.xhtml");
    const auto original = SplitLines(Corpus("unwrapped.txt"));
    EXPECT_NE(chapter.find("<p>" + original[4] + "</p>"), std::string::npos) << chapter;
    EXPECT_NE(chapter.find("<p>" + original[11] + "</p>"), std::string::npos) << chapter;
}

struct NamedBook {
    const char* fileName;
    const char* title;
    const char* author; // "" for none
};

std::string PackageOf(const TempDir& dir, const std::string& fileName, const std::string& text,
                      std::vector<std::string> options = {}) {
    const auto source = dir.write(fileName, text);
    const auto book = dir / "book.epub";
    std::vector<std::string> args{"-q", "--epub", book.string()};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(source.string());
    const RunResult run = RunSplit(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return EntryText(ReadEpub(book), "OEBPS/content.opf");
}

TEST(BookTitleTest, FileNameGivesTitleAndAuthorWhenTheTextDoesNot) {
    const NamedBook cases[] = {
        {"《青灯夜雨》作者：云中鹤.txt", "青灯夜雨", "云中鹤"},
        {"青灯夜雨 作者：云中鹤.txt", "青灯夜雨", "云中鹤"},
        {"青灯夜雨_云中鹤.txt", "青灯夜雨", "云中鹤"},
        {"青灯夜雨-云中鹤.txt", "青灯夜雨", "云中鹤"},
        {"[云中鹤]青灯夜雨.txt", "青灯夜雨", "云中鹤"},
        {"【云中鹤】青灯夜雨.txt", "青灯夜雨", "云中鹤"},
        {"青灯夜雨.txt", "青灯夜雨", ""},
    };
    const std::string text = JoinLines(NovelLines({"第一章 开始", "第二章 继续"}, "简介"), "\n");
    for (const NamedBook& c : cases) {
        SCOPED_TRACE(c.fileName);
        TempDir dir;
        const std::string package = PackageOf(dir, c.fileName, text);
        EXPECT_NE(package.find(std::string("<dc:title>") + c.title + "</dc:title>"),
                  std::string::npos)
            << package;
        if (*c.author == '\0')
            EXPECT_EQ(package.find("<dc:creator>"), std::string::npos) << package;
        else
            EXPECT_NE(package.find(std::string("<dc:creator>") + c.author + "</dc:creator>"),
                      std::string::npos)
                << package;
    }
}

TEST(BookTitleTest, OptionsComeFirstThenTheTextThenTheFileName) {
    const std::string text =
        JoinLines(NovelLines({"第一章 开始", "第二章 继续"}, "《灯下》\n作者：无名"), "\n");
    TempDir dir;
    std::string package = PackageOf(dir, "别名_别人.txt", text);
    EXPECT_NE(package.find("<dc:title>灯下</dc:title>"), std::string::npos) << package;
    EXPECT_NE(package.find("<dc:creator>无名</dc:creator>"), std::string::npos) << package;
    TempDir other;
    package = PackageOf(other, "别名_别人.txt", text, {"--title", "夜航", "--author", "舟子"});
    EXPECT_NE(package.find("<dc:title>夜航</dc:title>"), std::string::npos) << package;
    EXPECT_NE(package.find("<dc:creator>舟子</dc:creator>"), std::string::npos) << package;
}

} // namespace
} // namespace lumarin::cli::test
