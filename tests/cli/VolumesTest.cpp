// SPDX-License-Identifier: MIT
// Books with volumes above their chapters, and books cut into parts by size: what the list
// shows, what the audit says, and where every line of the source lands.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace lumarin::cli::test {
namespace {

const fs::path kCorpus = LUMARIN_VOLUMES_DIR;

std::vector<std::string> NonBlank(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
                 [](const std::string& line) { return !line.empty(); });
    return kept;
}

// The written files in writing order (by their file number, whatever folder holds them).
std::vector<fs::path> FilesInOrder(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& name : ListFiles(root))
        files.push_back(root / name);
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return files;
}

struct VolumeBook {
    const char* file;
    std::vector<std::string> args;
    std::vector<std::string> volumes; // "LINE\tTITLE" as the list prints them
};

const std::vector<VolumeBook> kBooks{
    {"restart.txt", {"-c", "auto"}, {"17\t第一卷 风起", "58\t第二卷 云涌", "99\t第三卷 雷鸣"}},
    {"runthrough.txt",
     {"-c", "auto"},
     {"2\t第一部分 部分1", "42\t第二部分 部分2", "82\t第三部分 部分3"}},
    {"updown.txt", {"-c", "auto"}, {"2\t上卷", "42\t中卷", "82\t下卷"}},
    {"juan.txt", {"-r", "第N章"}, {"1\t卷一 江湖1", "41\t卷二 江湖2"}},
    {"shared.txt", {"-c", "auto"}, {"2\t第一卷", "41\t第二卷"}},
    {"english.txt", {"-c", "auto"}, {"2\tBook 1 The Road", "42\tBook 2 The Road"}},
    {"toc.txt", {"-c", "auto"}, {"14\t第一卷 风起", "41\t第二卷 云涌"}},
};

class VolumeBooks : public ::testing::TestWithParam<VolumeBook> {};

TEST_P(VolumeBooks, ListsEveryVolumeAndTheAuditFlagsNothing) {
    const VolumeBook& book = GetParam();
    std::vector<std::string> args{"-l", (kCorpus / book.file).string()};
    args.insert(args.end(), book.args.begin(), book.args.end());
    const RunResult run = RunSplit(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> volumes;
    for (const auto& line : SplitLines(run.out)) {
        if (line.rfind("volume\t", 0) == 0) {
            volumes.push_back(line.substr(7));
        } else if (line.find("\t[ ]\t") != std::string::npos) {
            EXPECT_EQ(line.back(), '\t') << "flagged: " << line;
        }
    }
    EXPECT_EQ(volumes, book.volumes);
}

TEST_P(VolumeBooks, AVolumeLineOpensItsFirstChapterFileAndNothingIsLost) {
    const VolumeBook& book = GetParam();
    TempDir dir;
    const fs::path source = kCorpus / book.file;
    for (const std::vector<std::string>& layout :
         {std::vector<std::string>{"-g", "0"}, {"-n", "2", "-g", "2"}, {"--volume-folders"}}) {
        const fs::path out = dir.path() / std::to_string(layout.size());
        std::vector<std::string> args{"-q", "-o", out.string(), source.string()};
        args.insert(args.end(), book.args.begin(), book.args.end());
        args.insert(args.end(), layout.begin(), layout.end());
        const RunResult run = RunSplit(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> written;
        for (const fs::path& file : FilesInOrder(out)) {
            const std::vector<std::string> lines = NonBlank(SplitLines(ReadBytes(file)));
            for (const auto& volume : book.volumes) {
                const std::string title = volume.substr(volume.find('\t') + 1);
                if (!lines.empty() && lines.back().rfind(title, 0) == 0)
                    ADD_FAILURE() << file << " ends with the volume line " << title;
            }
            written.insert(written.end(), lines.begin(), lines.end());
        }
        EXPECT_EQ(written, NonBlank(SplitLines(ReadBytes(source)))) << layout.front();
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, VolumeBooks, ::testing::ValuesIn(kBooks), [](const auto& param) {
    std::string name = param.param.file;
    return name.substr(0, name.find('.'));
});

TEST(Volumes, AGapInsideAVolumeIsStillFlagged) {
    const RunResult run = RunSplit({"-l", "-c", "auto", (kCorpus / "gap.txt").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> flagged;
    for (const auto& line : SplitLines(run.out))
        if (line.find("\t[ ]\t") != std::string::npos && line.back() != '\t')
            flagged.push_back(line.substr(line.rfind('\t', line.size() - 1) + 1));
    EXPECT_EQ(flagged, std::vector<std::string>{"gap"}) << run.out;
    EXPECT_NE(run.out.find("第四章 缺24\t4-缺24\tgap"), std::string::npos) << run.out;
}

TEST(Volumes, JsonNamesTheVolumesAndEachRowsVolume) {
    const RunResult run =
        RunSplit({"-l", "--json", "-c", "auto", (kCorpus / "restart.txt").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"volumes\":[{\"line\":17,\"title\":\"第一卷 风起\",\"number\":1},"
                           "{\"line\":58,\"title\":\"第二卷 云涌\",\"number\":2},"
                           "{\"line\":99,\"title\":\"第三卷 雷鸣\",\"number\":3}]"),
              std::string::npos)
        << run.out;
    std::vector<std::string> perRow;
    for (std::size_t at = run.out.find("\"volume\":"); at != std::string::npos;
         at = run.out.find("\"volume\":", at + 1))
        perRow.push_back(run.out.substr(at + 9, run.out.find_first_of(",}", at) - at - 9));
    // 序章 before the first volume and 番外 after the last stand outside them.
    EXPECT_EQ(perRow,
              (std::vector<std::string>{"null", "0", "0", "0", "1", "1", "1", "2", "2", "null"}));
}

TEST(Volumes, VolumeFoldersHoldTheirChaptersAndFileNumbersRunOn) {
    TempDir dir;
    const RunResult run = RunSplit({"-q", "-c", "auto", "--volume-folders", "-o",
                                    dir.path().string(), (kCorpus / "restart.txt").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ListFiles(dir.path() / "restart"),
              (std::vector<std::string>{
                  "000-0(Index).txt", "001-0序章 缘起.txt", "01-第一卷 风起/002-1卷1章1.txt",
                  "01-第一卷 风起/003-2卷1章2.txt", "01-第一卷 风起/004-3卷1章3.txt",
                  "010-0番外 后来的事.txt", "02-第二卷 云涌/005-1卷2章1.txt",
                  "02-第二卷 云涌/006-2卷2章2.txt", "02-第二卷 云涌/007-3卷2章3.txt",
                  "03-第三卷 雷鸣/008-1卷3章1.txt", "03-第三卷 雷鸣/009-2卷3章2.txt"}));
    const auto first = SplitLines(ReadBytes(dir.path() / "restart/02-第二卷 云涌/005-1卷2章1.txt"));
    ASSERT_GE(first.size(), 3u);
    EXPECT_EQ(first[0], "第二卷 云涌");
    EXPECT_EQ(first[1], "　　本卷卷首语：第2卷讲的是一段往事。");
    EXPECT_EQ(first[2], "第一章 卷2章1");
}

TEST(Volumes, EpubGivesEachVolumeItsOwnDocumentAndNestsItsChapters) {
    TempDir dir;
    const fs::path book = dir.path() / "book.epub";
    const RunResult run = RunSplit({"-q", "-c", "auto", "-n", "2",
                                    (kCorpus / "restart.txt").string(), "--epub", book.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto entries = lumarin::test::ReadEpub(book);
    const std::string volume = lumarin::test::EntryText(entries, "OEBPS/text/0005.xhtml");
    EXPECT_NE(volume.find("<title>第二卷 云涌</title>"), std::string::npos) << volume;
    EXPECT_NE(volume.find("本卷卷首语：第2卷"), std::string::npos) << volume;
    EXPECT_EQ(volume.find("第一章"), std::string::npos) << volume;
    const std::string before = lumarin::test::EntryText(entries, "OEBPS/text/0004.xhtml");
    EXPECT_EQ(before.find("第二卷"), std::string::npos) << before;
    const std::string nav = lumarin::test::EntryText(entries, "OEBPS/nav.xhtml");
    EXPECT_NE(nav.find("<li><a href=\"text/0005.xhtml#v5\">第二卷 云涌</a>\n<ol>\n"
                       "<li><a href=\"text/0006.xhtml#c5\">第一章 卷2章1</a></li>"),
              std::string::npos)
        << nav;
    const std::string ncx = lumarin::test::EntryText(entries, "OEBPS/toc.ncx");
    EXPECT_NE(ncx.find("<text>第二卷 云涌</text></navLabel><content src=\"text/0005.xhtml#v5\"/>\n"
                       "<navPoint"),
              std::string::npos)
        << ncx;
}

// What is wrong with a book's structure: a content document without text, a contents link
// (nav.xhtml or toc.ncx) to a document or an anchor that is not there, a chapter of the
// contents whose heading lost its anchor. Empty when nothing is.
std::vector<std::string> StructureFaults(const std::vector<lumarin::test::EpubEntry>& entries) {
    std::vector<std::string> faults;
    for (const auto& name : lumarin::test::ContentDocuments(entries)) {
        const std::string text = lumarin::test::EntryText(entries, name);
        const std::size_t body = text.find("<body>");
        const std::size_t end = text.find("</body>");
        if (body == std::string::npos || end == std::string::npos ||
            text.substr(body + 6, end - body - 6).find_first_not_of(" \n") == std::string::npos)
            faults.push_back(name + ": no text");
    }
    for (const auto& [contents, attribute] :
         {std::pair<std::string, std::string>{"OEBPS/nav.xhtml", "href=\""},
          std::pair<std::string, std::string>{"OEBPS/toc.ncx", "src=\""}}) {
        const std::string text = lumarin::test::EntryText(entries, contents);
        for (std::size_t at = text.find(attribute); at != std::string::npos;
             at = text.find(attribute, at + 1)) {
            const std::size_t start = at + attribute.size();
            const std::string target = text.substr(start, text.find('"', start) - start);
            const std::size_t hash = target.find('#');
            if (!target.starts_with("text/")) continue;
            const std::string document =
                lumarin::test::EntryText(entries, "OEBPS/" + target.substr(0, hash));
            if (document.empty())
                faults.push_back(contents + ": " + target + ": no such document");
            else if (hash != std::string::npos &&
                     document.find("id=\"" + target.substr(hash + 1) + "\"") == std::string::npos)
                faults.push_back(contents + ": " + target + ": no such anchor");
        }
    }
    return faults;
}

// Volumes with their own documents, and chapters grouped or cut into parts by size: a part
// holding only a volume's line or preface gets no document of its own, and every link of the
// contents lands where it points.
TEST(Volumes, EpubOfPartsAndGroupsHasNoEmptyDocumentAndNoBrokenLink) {
    const std::vector<std::vector<std::string>> layouts{
        {"--split-size", "300"},
        {"--split-size", "100"},
        {"--split-size", "300", "-n", "2"},
        {"-n", "2"},
        {"-n", "3"},
        {"-n", "5", "--split-size", "200"},
    };
    // prefaces.txt: each volume opened by a preface longer than the parts cut here.
    std::vector<VolumeBook> all = kBooks;
    all.push_back({"prefaces.txt", {"-c", "auto"}, {}});
    for (const VolumeBook& book : all) {
        const fs::path source = kCorpus / book.file;
        for (const auto& layout : layouts) {
            SCOPED_TRACE(std::string(book.file) + " " + layout[0] + " " + layout[1] +
                         (layout.size() > 2 ? " " + layout[2] + " " + layout[3] : ""));
            TempDir dir;
            const fs::path epub = dir.path() / "book.epub";
            std::vector<std::string> args{"-q"};
            args.insert(args.end(), book.args.begin(), book.args.end());
            args.insert(args.end(), layout.begin(), layout.end());
            args.insert(args.end(), {source.string(), "--epub", epub.string()});
            const RunResult run = RunSplit(args);
            ASSERT_EQ(run.exitCode, 0) << run.err;
            const auto entries = lumarin::test::ReadEpub(epub);
            ASSERT_FALSE(lumarin::test::ContentDocuments(entries).empty());
            const std::vector<std::string> faults = StructureFaults(entries);
            EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
        }
    }
}

// A memoir without a single heading, paragraphs of every length and blank lines between some.
std::vector<std::string> MemoirLines() {
    std::vector<std::string> lines;
    unsigned seed = 7;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string line = "段" + std::to_string(i);
        for (unsigned k = 0; k < 5 + (seed >> 16) % 150; ++k)
            line += "字";
        lines.push_back(line);
        if (i % 9 == 0) lines.push_back("");
    }
    return lines;
}

std::size_t Characters(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

TEST(SplitSize, ATextWithoutHeadingsIsCutIntoPartsAtParagraphEnds) {
    TempDir dir;
    const std::vector<std::string> source = MemoirLines();
    WriteBytes(dir.path() / "memoir.txt", JoinLines(source, "\n"));
    std::size_t longest = 0;
    for (const auto& line : source)
        longest = std::max(longest, Characters(line));
    for (const std::size_t limit : {100u, 1000u, 3000u}) {
        const fs::path out = dir.path() / std::to_string(limit);
        const RunResult run =
            RunSplit({"-q", "-g", "0", "--keep-blank-lines", "--split-size", std::to_string(limit),
                      "-o", out.string(), (dir.path() / "memoir.txt").string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> written;
        int part = 0;
        for (const fs::path& file : FilesInOrder(out / "memoir")) {
            const std::vector<std::string> lines = SplitLines(ReadBytes(file));
            if (file.filename() == "000-0(Index).txt") {
                EXPECT_TRUE(lines.empty());
                continue;
            }
            ++part;
            EXPECT_EQ(file.filename().string(), (part < 10    ? "00"
                                                 : part < 100 ? "0"
                                                              : "") +
                                                    std::to_string(part) + "-" +
                                                    std::to_string(part) + "第" +
                                                    std::to_string(part) + "部分.txt");
            std::size_t chars = 0;
            for (const auto& line : lines)
                chars += Characters(line);
            EXPECT_LE(chars, std::max<std::size_t>(limit, longest)) << file;
            if (lines.size() > 1) {
                EXPECT_LE(chars, limit + longest) << file;
            }
            written.insert(written.end(), lines.begin(), lines.end());
        }
        EXPECT_GT(part, 1);
        EXPECT_EQ(written, source) << limit;
    }
}

TEST(SplitSize, ALongChapterIsCutIntoNumberedParts) {
    TempDir dir;
    std::vector<std::string> lines{"书名", "第一章 短", "正文"};
    for (int i = 0; i < 12; ++i)
        lines.push_back("短章的第" + std::to_string(i) + "段。");
    lines.push_back("第二章 长");
    for (int i = 0; i < 40; ++i)
        lines.push_back("　　长章的第" + std::to_string(i) + "段，写得很长很长很长很长很长很长。");
    WriteBytes(dir.path() / "book.txt", JoinLines(lines, "\n"));
    const RunResult run = RunSplit({"-q", "-g", "0", "--split-size", "300", "-o",
                                    dir.path().string(), (dir.path() / "book.txt").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(
        ListFiles(dir.path() / "book"),
        (std::vector<std::string>{"000-0(Index).txt", "001-1短.txt", "002-2长（1）.txt",
                                  "003-2长（2）.txt", "004-2长（3）.txt", "005-2长（4）.txt"}));
}

} // namespace
} // namespace lumarin::cli::test
