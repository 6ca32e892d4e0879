// SPDX-License-Identifier: MIT
// Books of a batch split side by side (-j): the files, the printed lines, the summary and the
// exit status are those of the same batch split one book at a time.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>

namespace lumarin::cli::test {
namespace {

using lumarin::test::EpubEntry;
using lumarin::test::ReadEpub;

std::string Novel(int chapters, const std::string& charset) {
    std::vector<std::string> headings;
    for (int i = 1; i <= chapters; ++i)
        headings.push_back("第" + std::to_string(i) + "章 第" + std::to_string(i) + "回");
    return Encode(JoinLines(NovelLines(headings), "\r\n"), charset);
}

// Books of two sizes in two encodings, with failures among them: one without a heading, one
// that cannot be read (a pipe), and a sub-folder.
struct Library {
    TempDir dir;
    fs::path books = dir / "books";

    Library() {
        for (int i = 1; i <= 3; ++i) {
            dir.write("books/small" + std::to_string(i) + ".txt", Novel(3 + i, "GBK"));
            dir.write("books/sub/large" + std::to_string(i) + ".txt", Novel(300 + i, "UTF-8"));
        }
        dir.write("books/bare.txt", "没有标题\n只有正文\n");
        if (mkfifo((books / "pipe.txt").c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    }
};

// A book's entries, apart from the time it was made (the one thing two runs of one book differ in).
std::vector<std::pair<std::string, std::string>> Timeless(const std::vector<EpubEntry>& book) {
    static const std::regex modified("<meta property=\"dcterms:modified\">[^<]*</meta>");
    std::vector<std::pair<std::string, std::string>> entries;
    for (const EpubEntry& entry : book)
        entries.emplace_back(entry.name, std::regex_replace(entry.bytes, modified, "MODIFIED"));
    return entries;
}

TEST(ParallelBatchTest, WritesAndPrintsWhatASerialBatchDoes) {
    Library library;
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* stdoutFile; // "" for captured
    } cases[] = {
        {"ChapterFiles", {}, ""},
        {"Books", {"--epub"}, ""},
        {"TextList", {"--list"}, ""},
        {"JsonLines", {"--list", "--json"}, ""},
        {"StdoutOnAFullDisk", {}, "/dev/full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunResult runs[2];
        const fs::path outs[2] = {library.dir / "serial", library.dir / "parallel"};
        const char* jobs[2] = {"1", "3"};
        for (int k = 0; k < 2; ++k) {
            fs::remove_all(outs[k]);
            std::vector<std::string> args{"-q", "-R", "-j", jobs[k], "-o", outs[k].string()};
            args.insert(args.end(), c.args.begin(), c.args.end());
            args.push_back(library.books.string());
            runs[k] = RunSplit(args, c.stdoutFile);
            // The output folder is named in a book's message; the rest must be the same.
            for (std::string* text : {&runs[k].out, &runs[k].err})
                for (auto at = text->find(outs[k].string()); at != std::string::npos;
                     at = text->find(outs[k].string(), at))
                    text->replace(at, outs[k].string().size(), "OUT");
        }
        EXPECT_EQ(runs[1].exitCode, runs[0].exitCode);
        EXPECT_EQ(runs[0].exitCode, 3) << runs[0].err;
        EXPECT_EQ(runs[1].out, runs[0].out);
        EXPECT_EQ(runs[1].err, runs[0].err);
        if (c.args.empty()) {
            EXPECT_EQ(Snapshot(outs[1]), Snapshot(outs[0]));
        } else if (c.args.front() == "--epub") {
            const auto books = ListFiles(outs[0]);
            EXPECT_EQ(books.size(), 6u);
            EXPECT_EQ(ListFiles(outs[1]), books);
            for (const std::string& book : books)
                EXPECT_EQ(Timeless(ReadEpub(outs[1] / book)), Timeless(ReadEpub(outs[0] / book)))
                    << book;
        }
    }
}

} // namespace
} // namespace lumarin::cli::test
