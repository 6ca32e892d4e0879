// SPDX-License-Identifier: MIT
// Several sources in one run: each book in turn, a failure named and passed over, one summary
// line and the exit status of the worst failure.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <sstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::cli::test {
namespace {

using lumarin::test::EntryText;
using lumarin::test::ReadEpub;

std::string Novel(const std::vector<std::string>& headings) {
    return Encode(JoinLines(NovelLines(headings), "\r\n"), "GBK");
}

// A library folder: two good books (one with its extension in capitals), one that cannot be
// read (a pipe: even root cannot read it as a file), one without a single heading, a file that
// is no book, and a sub-folder with a book of its own.
struct Library {
    TempDir dir;
    fs::path books = dir / "books";

    Library() {
        dir.write("books/a.txt", Novel({"第一章 开始", "第二章 继续"}));
        dir.write("books/B.TXT", Novel({"第一章 甲"}));
        dir.write("books/d.txt", Encode(JoinLines({"没有标题", "只有正文"}, "\n"), "GBK"));
        dir.write("books/notes.md", "第一章 不是书\n");
        dir.write("books/sub/e.txt", Novel({"第一章 深处"}));
        if (mkfifo((books / "c.txt").c_str(), 0600) != 0) throw std::runtime_error("mkfifo");
    }
};

TEST(BatchTest, FolderWritesTheGoodBooksAndNamesEachFailure) {
    Library library;
    const auto out = library.dir / "out";
    const RunResult run = RunSplit({"-q", "-g", "0", "-o", out.string(), library.books.string()});

    EXPECT_EQ(run.exitCode, 3) << "the unreadable book is the worst failure: " << run.err;
    EXPECT_EQ(ListFiles(out),
              (std::vector<std::string>{"B/000-0(Index).txt", "B/001-1甲.txt", "a/000-0(Index).txt",
                                        "a/001-1开始.txt", "a/002-2继续.txt"}));
    const std::string b = (library.books / "B.TXT").string();
    const std::string a = (library.books / "a.txt").string();
    const std::string c = (library.books / "c.txt").string();
    const std::string d = (library.books / "d.txt").string();
    // Sorted by name, each book introduced by its path; the summary last.
    EXPECT_EQ(SplitLines(run.out),
              (std::vector<std::string>{"source\t" + b, "处理完毕！共2个文件！", "source\t" + a,
                                        "处理完毕！共3个文件！", "source\t" + c, "source\t" + d,
                                        "2 本成功，2 本失败"}));
    EXPECT_NE(run.err.find("无法读取文件: " + c + ": "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("失败: " + c + "\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("失败: " + d + "\n"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("失败: " + a), std::string::npos) << run.err;
}

TEST(BatchTest, RecursiveTakesSubFoldersAndFilesMayBeMixedWithFolders) {
    Library library;
    const auto out = library.dir / "out";
    const auto extra = library.dir.write("extra.txt", Novel({"第一章 另一本"}));
    const RunResult run = RunSplit(
        {"-q", "-R", "-g", "0", "-o", out.string(), extra.string(), library.books.string()});

    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(SplitLines(run.out).back(), "4 本成功，2 本失败");
    for (const char* book : {"extra/001-1另一本.txt", "e/001-1深处.txt", "a/001-1开始.txt"}) {
        EXPECT_TRUE(fs::exists(out / book)) << book;
    }
}

TEST(BatchTest, SplittingALibraryAgainLeavesTheChaptersBesideEachBookAlone) {
    TempDir dir;
    const fs::path books = dir / "books";
    dir.write("books/a.txt", Novel({"第一章 开始", "第二章 继续"}));
    dir.write("books/B.TXT", Novel({"第一章 甲"}));
    // A folder that only shares a name with a book's folder in another place is entered.
    dir.write("books/sub/a/c.txt", Novel({"第一章 深处"}));
    ASSERT_EQ(RunSplit({"-q", "-R", "-g", "0", books.string()}).exitCode, 0);
    const auto firstRun = Snapshot(books);

    const RunResult again =
        RunSplit({"-q", "-R", "-g", "0", "--existing", "overwrite", books.string()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(SplitLines(again.out).back(), "3 本成功，0 本失败");
    EXPECT_EQ(Snapshot(books), firstRun) << "chapter files were split as books";
    for (const char* folder : {"B", "a", "sub/a/c"})
        EXPECT_NE(again.err.find("跳过章节文件夹: " + (books / folder).string() + "\n"),
                  std::string::npos)
            << again.err;
}

TEST(BatchTest, WorstFailureDecidesTheExitStatus) {
    TempDir dir;
    const auto good = dir.write("good.txt", Novel({"第一章 开始"}));
    const auto other = dir.write("other.txt", Novel({"第一章 甲"}));
    const auto bare = dir.write("bare.txt", "没有标题\n");
    const std::string missing = (dir / "missing.txt").string();
    struct Case {
        std::vector<std::string> sources;
        int exitCode;
        std::string summary;
    };
    for (const Case& c :
         {Case{{good.string(), other.string()}, 0, "2 本成功，0 本失败"},
          Case{{good.string(), missing, bare.string()}, 1, "1 本成功，2 本失败"},
          Case{{(dir / "empty").string(), good.string()}, 1, "1 本成功，1 本失败"}}) {
        fs::create_directories(dir / "empty");
        std::vector<std::string> args{"-q", "--existing", "overwrite", "-o",
                                      (dir / "out").string()};
        args.insert(args.end(), c.sources.begin(), c.sources.end());
        const RunResult run = RunSplit(args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.summary << ": " << run.err;
        EXPECT_EQ(SplitLines(run.out).back(), c.summary);
    }
}

TEST(BatchTest, EmptyFolderIsSaidAndNamed) {
    TempDir dir;
    fs::create_directories(dir / "empty");
    dir.write("empty/readme.md", "no books here");
    const RunResult run = RunSplit({"-q", (dir / "empty").string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("文件夹中没有 .txt 文件: " + (dir / "empty").string()),
              std::string::npos)
        << run.err;
    EXPECT_EQ(SplitLines(run.out).back(), "0 本成功，1 本失败");
}

// Each book's object on a line of its own, read back by a JSON parser that is not ours; the
// summary goes to stderr so that stdout stays JSON Lines.
TEST(BatchTest, JsonListIsOneObjectPerLine) {
    Library library;
    const RunResult run = RunSplit({"--list", "--json", library.books.string()});
    EXPECT_EQ(run.exitCode, 3) << run.err;
    const auto lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out; // B, a and d (no headings, but listed); c fails
    std::vector<std::string> sources;
    for (const std::string& line : lines) {
        QJsonParseError error{};
        const QJsonObject book =
            QJsonDocument::fromJson(QByteArray::fromStdString(line), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        sources.push_back(book["source"].toString().toStdString());
    }
    EXPECT_EQ(sources, (std::vector<std::string>{(library.books / "B.TXT").string(),
                                                 (library.books / "a.txt").string(),
                                                 (library.books / "d.txt").string()}));
    EXPECT_NE(run.err.find("3 本成功，1 本失败\n"), std::string::npos) << run.err;
    EXPECT_TRUE(ListFiles(library.dir / "out").empty());
}

TEST(BatchTest, TextListSeparatesBooksByTheirSource) {
    TempDir dir;
    const auto one = dir.write("one.txt", Novel({"第一章 开始"}));
    const auto two = dir.write("two.txt", Novel({"第一章 甲", "第二章 乙"}));
    const RunResult run = RunSplit({"-l", one.string(), two.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "source\t" + one.string() +
                           "\n"
                           "1\t[ ]\t1\t第一章 开始\t1-开始\n"
                           "1/1\n"
                           "source\t" +
                           two.string() +
                           "\n"
                           "1\t[ ]\t1\t第一章 甲\t1-甲\n"
                           "2\t[ ]\t2\t第二章 乙\t2-乙\n"
                           "2/2\n");
    EXPECT_EQ(run.err, "2 本成功，0 本失败\n");
}

// On a terminal the bar counts books as well; on a pipe there is no bar at all.
TEST(BatchTest, ProgressShowsTheBookCountOnATerminalOnly) {
    TempDir dir;
    const auto one = dir.write("one.txt", Novel({"第一章 开始"}));
    const auto two = dir.write("two.txt", Novel({"第一章 甲"}));
    const std::string out = (dir / "out").string();
    const RunResult terminal = RunSplitOnTerminal({"-o", out, one.string(), two.string()});
    EXPECT_EQ(terminal.exitCode, 0) << terminal.err;
    EXPECT_NE(terminal.err.find("1/2本 完成:"), std::string::npos) << terminal.err;
    EXPECT_NE(terminal.err.find("2/2本 完成:"), std::string::npos) << terminal.err;

    const RunResult piped =
        RunSplit({"--existing", "overwrite", "-o", out, one.string(), two.string()});
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.err, "");
}

TEST(BatchTest, EpubNamesEachBookAfterItsSource) {
    TempDir dir;
    const auto one = dir.write("one.txt", Novel({"第一章 开始"}));
    const auto two = dir.write("two.txt", Novel({"第一章 甲"}));
    fs::create_directories(dir / "out");
    const RunResult run =
        RunSplit({"-q", "-o", (dir / "out").string(), one.string(), two.string(), "--epub"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ListFiles(dir / "out"), (std::vector<std::string>{"one.epub", "two.epub"}));
}

// A book to one FILE cannot hold several sources; nothing is written, and a first source
// taken as FILE is never overwritten by a book.
TEST(BatchTest, EpubFileWithSeveralSourcesIsAUsageError) {
    TempDir dir;
    const auto one = dir.write("one.txt", Novel({"第一章 开始"}));
    const auto two = dir.write("two.txt", Novel({"第一章 甲"}));
    dir.write("folder/x.txt", Novel({"第一章 乙"}));
    dir.write("folder/y.txt", Novel({"第一章 丙"}));
    const std::string book = (dir / "book.epub").string();
    const auto before = Snapshot(dir.path());
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--epub", book, one.string(), two.string()},
          {"--epub", book, (dir / "folder").string()},
          {"--existing", "overwrite", "--epub", one.string(), two.string()}}) {
        const RunResult run = RunSplit(args);
        EXPECT_EQ(run.exitCode, 2) << args[1];
        EXPECT_EQ(run.err.rfind("--epub ", 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Snapshot(dir.path()), before) << args[1];
    }
}

// Two books of one batch whose outputs would be one folder or one book: the first is written
// as if alone, the second fails naming it, before anything is written and whatever --existing
// says (overwrite would replace the first's chapters, append would interleave them).
TEST(BatchTest, TwoBooksWithOneOutputNeverMix) {
    const struct {
        const char* name;
        std::vector<std::string> files; // the first holds two chapters, the second one
        std::vector<std::string> sources;
        std::vector<std::string> args; // "OUT" stands for the output folder
        std::string output;            // what both would write, below the test folder
    } cases[] = {
        {"SameNameInTwoFolders", {"x/a.txt", "y/a.txt"}, {"x", "y"}, {"-o", "OUT"}, "out/a"},
        {"LetterCaseOfTheExtension", {"books/a.TXT", "books/a.txt"}, {"books"}, {}, "books/a"},
        // "link" is a link to "x": one book by two names, written beside itself.
        {"OneBookByTwoNames", {"x/a.txt"}, {"x/a.txt", "link/a.txt"}, {}, "x/a"},
        {"Books", {"x/a.txt", "y/a.txt"}, {"x", "y"}, {"--epub", "-o", "OUT"}, "out/a.epub"},
    };
    for (const auto& c : cases) {
        for (const char* mode : {"refuse", "overwrite", "append"}) {
            SCOPED_TRACE(std::string(c.name) + " " + mode);
            TempDir dir;
            dir.write(c.files.front(), Novel({"第一章 开始", "第二章 继续"}));
            if (c.files.size() > 1) dir.write(c.files.back(), Novel({"第一章 甲"}));
            fs::create_directory_symlink("x", dir / "link");
            const auto argsWith = [&](const std::vector<std::string>& sources) {
                std::vector<std::string> args{"-q", "-g", "0", "--existing", mode};
                for (const std::string& arg : c.args)
                    args.push_back(arg == "OUT" ? (dir / "out").string() : arg);
                for (const std::string& source : sources)
                    args.push_back((dir / source).string());
                return args;
            };
            const RunResult run = RunSplit(argsWith(c.sources));
            EXPECT_EQ(run.exitCode, 1) << run.err;
            EXPECT_EQ(SplitLines(run.out).back(), "1 本成功，1 本失败");
            const std::string second = c.files.size() > 1 ? c.files.back() : c.sources.back();
            EXPECT_EQ(run.err, "与 " + (dir / c.files.front()).string() + " 的输出相同\n失败: " +
                                   (dir / second).string() + "\n");
            if (c.output.ends_with(".epub")) {
                const std::string nav = EntryText(ReadEpub(dir / c.output), "OEBPS/nav.xhtml");
                EXPECT_NE(nav.find("第二章 继续"), std::string::npos) << nav;
                EXPECT_EQ(nav.find("第一章 甲"), std::string::npos) << nav;
                continue; // a book is stamped with the time it was made: no byte comparison
            }
            // The output is exactly the first book's, written alone.
            const auto written = Snapshot(dir / c.output);
            fs::remove_all(dir / c.output);
            ASSERT_EQ(RunSplit(argsWith({c.files.front()})).exitCode, 0);
            EXPECT_EQ(written, Snapshot(dir / c.output));
        }
    }
}

// A file or folder name with a line end or an escape character cannot fake a line of the
// run's own (a finished book, a summary) or colour the terminal: every line naming one escapes
// it, as every other message does.
TEST(BatchTest, NamesInTheBatchsLinesAreEscaped) {
    TempDir dir;
    const std::string trick = "x\n处理完毕！共9个文件！\n9 本成功，0 本失败\x1b[31m";
    const std::string shown = "x\\n处理完毕！共9个文件！\\n9 本成功，0 本失败\\x1b[31m";
    const fs::path books = dir / "books";
    dir.write("books/" + trick + ".txt", "没有标题\n");          // fails: no headings
    dir.write("books/" + trick + "/" + trick + ".txt", "1\n"); // its chapters' folder
    fs::create_directories(books / "empty" / trick);
    const RunResult run =
        RunSplit({"-q", "-R", books.string(), (books / "empty" / trick).string()});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(SplitLines(run.out), (std::vector<std::string>{
                                       "source\t" + books.string() + "/" + shown + ".txt",
                                       "source\t" + (books / "empty").string() + "/" + shown,
                                       "0 本成功，2 本失败"}));
    for (const std::string& line :
         {"跳过章节文件夹: " + books.string() + "/" + shown + "\n",
          "失败: " + books.string() + "/" + shown + ".txt\n",
          "文件夹中没有 .txt 文件: " + (books / "empty").string() + "/" + shown + "\n",
          "失败: " + (books / "empty").string() + "/" + shown + "\n"})
        EXPECT_NE(run.err.find(line), std::string::npos) << line << "\nin\n" << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
}

// Chapter folders written anywhere by an earlier run (here into a folder of the library
// itself) hold the output's marker, and -R passes over them: a second run over the library
// splits its books again and no chapter file as a book.
TEST(BatchTest, ARecursiveRunPassesOverEveryFolderItWrote) {
    TempDir dir;
    const fs::path library = dir / "library";
    dir.write("library/a.txt", Novel({"第一章 开始", "第二章 继续"}));
    dir.write("library/more/b.txt", Novel({"第一章 甲"}));
    const std::string out = (library / "out").string();
    ASSERT_EQ(RunSplit({"-q", "-R", "-o", out, library.string()}).exitCode, 0);
    EXPECT_TRUE(fs::is_regular_file(library / "out" / "a" / ".lumarin-chapters"));
    const auto firstRun = Snapshot(library);

    const RunResult again =
        RunSplit({"-q", "-R", "--existing", "overwrite", "-o", out, library.string()});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(SplitLines(again.out).back(), "2 本成功，0 本失败");
    EXPECT_EQ(Snapshot(library), firstRun) << "chapter files were split as books";
    for (const char* folder : {"out/a", "out/b"})
        EXPECT_NE(again.err.find("跳过章节文件夹: " + (library / folder).string() + "\n"),
                  std::string::npos)
            << again.err;
}

// lumarin-split without the capabilities that let root read any folder, so that permissions
// hold for it as for anyone else. Nothing when they cannot be dropped here.
std::optional<RunResult> RunSplitBoundByPermissions(const std::vector<std::string>& args) {
    std::vector<std::string> command;
    if (::geteuid() == 0) {
        command = {"/usr/bin/setpriv", "--inh-caps=-dac_override,-dac_read_search",
                   "--bounding-set=-dac_override,-dac_read_search", "--"};
        if (RunProgram({command[0], command[1], command[2], "--", "/bin/true"}).exitCode != 0)
            return std::nullopt;
    }
    command.push_back(LUMARIN_SPLIT_PATH);
    command.insert(command.end(), args.begin(), args.end());
    return RunProgram(command);
}

// A folder that cannot be listed is a read failure that names it, named on the command line or
// met under -R, and the books around it are still split.
TEST(BatchTest, AFolderThatCannotBeListedIsAReadFailure) {
    TempDir dir;
    dir.write("books/a.txt", Novel({"第一章 开始"}));
    fs::create_directories(dir / "books" / "locked");
    dir.write("books/locked/b.txt", Novel({"第一章 甲"}));
    fs::permissions(dir / "books" / "locked", fs::perms::none);
    const struct {
        std::vector<std::string> args;
        std::string summary;
    } cases[] = {
        {{(dir / "books" / "locked").string()}, "0 本成功，1 本失败"},
        {{"-R", (dir / "books").string()}, "1 本成功，1 本失败"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"-q", "-g", "0", "--existing", "overwrite", "-o",
                                      (dir / "out").string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto run = RunSplitBoundByPermissions(args);
        if (!run)
            GTEST_SKIP() << "setpriv cannot drop CAP_DAC_OVERRIDE here, and root reads any folder";
        EXPECT_EQ(run->exitCode, 3) << run->err;
        EXPECT_EQ(SplitLines(run->out).back(), c.summary);
        const std::string locked = (dir / "books" / "locked").string();
        EXPECT_NE(run->err.find("无法读取文件: " + locked + ": Permission denied\n"),
                  std::string::npos)
            << run->err;
        EXPECT_NE(run->err.find("失败: " + locked + "\n"), std::string::npos) << run->err;
        EXPECT_EQ(run->err.find("文件夹中没有"), std::string::npos) << run->err;
    }
    fs::permissions(dir / "books" / "locked", fs::perms::owner_all);
    EXPECT_TRUE(fs::exists(dir / "out" / "a" / "001-1开始.txt"));
}

} // namespace
} // namespace lumarin::cli::test
