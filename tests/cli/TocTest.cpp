// SPDX-License-Identifier: MIT
// --toc: a chapter list from --list --json, edited by hand, is the split; a
// list of another source, or no list at all, writes nothing.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::cli::test {
namespace {

// Three chapters at lines 3, 15 and 27; line 9 is a heading no rule finds.
std::vector<std::string> Novel() {
    auto lines = NovelLines({"第一章 开始", "第二章 继续", "第三章 结束"});
    lines[8] = "番外 江边";
    return lines;
}

QJsonObject ListJson(const fs::path& source) {
    const RunResult run = RunSplit({"--list", "--json", source.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

void WriteJson(const fs::path& file, const QJsonObject& json) {
    WriteBytes(file, QJsonDocument(json).toJson().toStdString());
}

TEST(TocTest, AnEditedListIsExactlyTheSplit) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    const auto lines = Novel();
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "GBK"));

    QJsonObject toc = ListJson(source);
    const RunResult sum = RunProgram({"/usr/bin/sha256sum", source.string()});
    EXPECT_EQ(toc["checksum"].toString().toStdString(), sum.out.substr(0, 64));
    QJsonArray rows = toc["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_FALSE(rows[0].toObject()["added"].toBool());
    QJsonObject second = rows[1].toObject();
    second["title"] = QStringLiteral("江上/风起");
    rows[1] = second;
    QJsonObject third = rows[2].toObject();
    third["checked"] = true;
    rows[2] = third;
    rows.append(QJsonObject{{"start_line", 9}, {"checked", false}, {"title", "江边"}, {"added", true}});
    toc["rows"] = rows;
    WriteJson(dir / "toc.json", toc);

    // The list of the edited split shows it, in line order.
    const RunResult list = RunSplit({"--toc", (dir / "toc.json").string(), "-l", source.string()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "1\t[ ]\t1\t第一章 开始\t1-开始\n"
                        "2\t[ ]\t2\t番外 江边\t0-江边\n"
                        "3\t[ ]\t3\t第二章 继续\t2-江上/风起\n"
                        "4\t[x]\t.\t第三章 结束\t3-结束\n"
                        "3/4\n");

    // --list --json of it is a --toc file itself: the round trip stands still.
    const RunResult again =
        RunSplit({"--toc", (dir / "toc.json").string(), "--list", "--json", source.string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    WriteBytes(dir / "toc2.json", again.out);
    const QJsonArray againRows = QJsonDocument::fromJson(QByteArray::fromStdString(again.out))
                                     .object()["rows"]
                                     .toArray();
    ASSERT_EQ(againRows.size(), 4);
    EXPECT_TRUE(againRows[1].toObject()["added"].toBool());
    const RunResult list2 =
        RunSplit({"--toc", (dir / "toc2.json").string(), "-l", source.string()});
    EXPECT_EQ(list2.out, list.out);

    const RunResult split =
        RunSplit({"--toc", (dir / "toc.json").string(), "-q", "-o", (dir / "out").string(),
                  source.string()});
    ASSERT_EQ(split.exitCode, 0) << split.err;
    const auto book = dir / "out" / "novel";
    EXPECT_EQ(ListFiles(book), (std::vector<std::string>{"000-0(Index).txt",
                                                         "1-3(第1章+)/001-1开始.txt",
                                                         "1-3(第1章+)/002-0江边.txt",
                                                         "1-3(第1章+)/003-2江上风起.txt"}));
    // Each file starts at its line, the heading as the source has it.
    EXPECT_EQ(ReadBytes(book / "1-3(第1章+)/002-0江边.txt").substr(0, 11),
              Encode("番外 江边\r\n", "GBK"));
    EXPECT_TRUE(ReadBytes(book / "1-3(第1章+)/003-2江上风起.txt")
                    .starts_with(Encode("第二章 继续\r\n", "GBK")));
    EXPECT_NE(ReadBytes(book / "1-3(第1章+)/003-2江上风起.txt").find(Encode("第三章 结束", "GBK")),
              std::string::npos)
        << "a ticked row is no split point";
}

// A split added at a blank line falls on the next line with text (one with only blank lines
// after it goes), and one added at a volume's line opens that volume.
TEST(TocTest, AnAddedSplitFallsOnTextAndOpensTheVolumeWhoseLineItIs) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, JoinLines(Novel(), "\n"));
    QJsonObject toc = ListJson(source);
    QJsonArray rows = toc["rows"].toArray();
    for (const int blank : {10, 38})
        rows.append(QJsonObject{{"start_line", blank}, {"checked", false}, {"title", ""},
                                {"added", true}});
    toc["rows"] = rows;
    WriteJson(dir / "toc.json", toc);
    const RunResult list = RunSplit({"--toc", (dir / "toc.json").string(), "-l", source.string()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_NE(list.out.find("2\t[ ]\t2\t　　第4段，风吹过江面。\t0-第4段，风吹过江面。\n"),
              std::string::npos)
        << list.out;
    EXPECT_TRUE(list.out.ends_with("\n4/4\n")) << list.out;
    const RunResult split = RunSplit({"--toc", (dir / "toc.json").string(), "-q", "-g", "0", "-o",
                                      (dir / "out").string(), source.string()});
    ASSERT_EQ(split.exitCode, 0) << split.err;
    const auto files = ListFiles(dir / "out" / "novel");
    ASSERT_EQ(files.size(), 5u);
    for (const auto& file : files)
        EXPECT_FALSE(ReadBytes(dir / "out" / "novel" / file).empty()) << file;
    EXPECT_TRUE(ReadBytes(dir / "out" / "novel" / files[2]).starts_with("　　第4段，风吹过江面。\r\n"))
        << files[2];

    // restart.txt: the first volume's line is line 17, its first chapter's heading line 19.
    const fs::path volumes = fs::path(LUMARIN_VOLUMES_DIR) / "restart.txt";
    const RunResult json = RunSplit({"--list", "--json", "-c", "auto", volumes.string()});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    QJsonObject volumeToc = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    QJsonArray volumeRows = volumeToc["rows"].toArray();
    volumeRows.append(QJsonObject{{"start_line", 17}, {"checked", false}, {"title", "卷首"},
                                  {"added", true}});
    volumeToc["rows"] = volumeRows;
    WriteJson(dir / "volumes.json", volumeToc);
    const RunResult byVolume = RunSplit({"--toc", (dir / "volumes.json").string(), "-q",
                                         "--volume-folders", "-o", (dir / "volumes").string(),
                                         volumes.string()});
    ASSERT_EQ(byVolume.exitCode, 0) << byVolume.err;
    const auto written = ListFiles(dir / "volumes" / "restart");
    EXPECT_NE(std::find(written.begin(), written.end(), "01-第一卷 风起/002-0卷首.txt"),
              written.end())
        << ::testing::PrintToString(written);
}

TEST(TocTest, AVolumeListedByHandOpensItsFolderAndIsListedAgain) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(Novel(), "\r\n"), "GBK"));
    QJsonObject toc = ListJson(source);
    ASSERT_TRUE(toc["volumes"].toArray().isEmpty());
    // Line 9 (番外 江边) opens a volume: the second and third chapters are in it.
    toc["volumes"] = QJsonArray{QJsonObject{{"line", 9}}};
    WriteJson(dir / "toc.json", toc);

    const RunResult list =
        RunSplit({"--toc", (dir / "toc.json").string(), "--list", "--json", source.string()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const QJsonObject listed = QJsonDocument::fromJson(QByteArray::fromStdString(list.out)).object();
    const QJsonArray volumes = listed["volumes"].toArray();
    ASSERT_EQ(volumes.size(), 1);
    EXPECT_EQ(volumes[0].toObject()["line"].toInt(), 9);
    EXPECT_EQ(volumes[0].toObject()["title"].toString(), QStringLiteral("番外 江边"));
    const QJsonArray rows = listed["rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].toObject()["volume"].isNull());
    EXPECT_EQ(rows[1].toObject()["volume"].toInt(-1), 0);
    EXPECT_EQ(rows[2].toObject()["volume"].toInt(-1), 0);

    const RunResult split = RunSplit({"--toc", (dir / "toc.json").string(), "--volume-folders",
                                      "-q", "-o", (dir / "out").string(), source.string()});
    ASSERT_EQ(split.exitCode, 0) << split.err;
    const auto book = dir / "out" / "novel";
    EXPECT_EQ(ListFiles(book), (std::vector<std::string>{"000-0(Index).txt", "001-1开始.txt",
                                                         "01-番外 江边/002-2继续.txt",
                                                         "01-番外 江边/003-3结束.txt"}));
    EXPECT_TRUE(ReadBytes(book / "01-番外 江边/002-2继续.txt")
                    .starts_with(Encode("番外 江边\r\n", "GBK")));

    // A volume line beyond the source is no table of this book.
    toc["volumes"] = QJsonArray{QJsonObject{{"line", 9999}}};
    WriteJson(dir / "bad.json", toc);
    const RunResult bad = RunSplit({"--toc", (dir / "bad.json").string(), "-l", source.string()});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.err.find("9999"), std::string::npos) << bad.err;
}

TEST(TocTest, WhatCannotBeTheSplitWritesNothing) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, JoinLines(Novel(), "\n"));
    const QJsonObject good = ListJson(source);
    WriteJson(dir / "good.json", good);
    QJsonObject beyond = good;
    QJsonArray rows = beyond["rows"].toArray();
    rows.append(QJsonObject{{"start_line", 999}, {"checked", false}, {"title", "x"}, {"added", true}});
    beyond["rows"] = rows;
    WriteJson(dir / "beyond.json", beyond);
    WriteBytes(dir / "broken.json", "{\"checksum\": ");
    QJsonObject otherRule = good;
    otherRule["rule"] = "第N样";
    WriteJson(dir / "rule.json", otherRule);
    // Another book's table, made by this program of a book of another name.
    const auto otherSource = dir.write("other.txt", JoinLines(NovelLines({"第一章 别处"}), "\n"));
    WriteJson(dir / "other.json", ListJson(otherSource));
    // Far larger than the table of any novel, and no JSON: refused by its size alone.
    WriteBytes(dir / "huge.json", "{");
    ASSERT_EQ(::truncate((dir / "huge.json").c_str(), 17 * 1024 * 1024), 0);
    ASSERT_EQ(::mkfifo((dir / "fifo.json").c_str(), 0600), 0);

    const struct {
        const char* what;
        std::vector<std::string> args;
        std::function<void()> before;
        int exitCode;
        std::string message;
    } cases[] = {
        {"not JSON", {"--toc", (dir / "broken.json").string()}, {}, 1,
         "目录文件无效: 不是JSON文本"},
        {"a line past the end", {"--toc", (dir / "beyond.json").string()}, {}, 1,
         "目录文件无效: 第999行超出源文件（共38行）"},
        {"an unknown rule", {"--toc", (dir / "rule.json").string()}, {}, 1,
         "目录文件无效: 没有名为“第N样”的内置规则"},
        {"no such file", {"--toc", (dir / "missing.json").string()}, {}, 2, "--toc: no such file"},
        {"a folder", {"--toc", dir.path().string()}, {}, 1,
         "不是普通文件: " + dir.path().string() + "（文件夹）"},
        {"a FIFO", {"--toc", (dir / "fifo.json").string()}, {}, 1,
         "不是普通文件: " + (dir / "fifo.json").string() + "（命名管道）"},
        {"a device", {"--toc", "/dev/zero"}, {}, 1, "不是普通文件: /dev/zero（设备）"},
        {"standard input", {"--toc", "-"}, {}, 1, "不是普通文件: -（标准输入）"},
        {"too large", {"--toc", (dir / "huge.json").string()}, {}, 1,
         "目录文件太大: " + (dir / "huge.json").string() + "（上限16 MB）"},
        {"another book's", {"--toc", (dir / "other.json").string()}, {}, 1,
         "目录文件属于另一本书: other.txt"},
        {"with --check", {"--toc", (dir / "good.json").string(), "--check", "1"}, {}, 2,
         "excludes"},
        {"the source changed",
         {"--toc", (dir / "good.json").string()},
         [&] { WriteBytes(source, JoinLines(Novel(), "\n") + "后记\n"); },
         1,
         "源文件已改变，请重新分析!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.before) c.before();
        std::vector<std::string> args = c.args;
        for (const std::string& more : {std::string("-o"), (dir / "out").string(), source.string()})
            args.push_back(more);
        const RunResult run = RunSplitWithin(args, std::chrono::seconds(60));
        ASSERT_NE(run.exitCode, kTimedOut) << "blocked";
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "out"));
    }
}

} // namespace
} // namespace lumarin::cli::test
