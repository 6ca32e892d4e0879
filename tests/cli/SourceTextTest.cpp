// SPDX-License-Identifier: MIT
// How the text of a source is read: which encoding a file is taken to be, what its characters
// become, and how a runaway heading condition is stopped.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

QJsonObject ListAsJson(const fs::path& source) {
    const RunResult run = RunSplit({"--list", "--json", source.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

// The files of a split that keeps every line, put together in order.
std::string SplitAndJoin(const fs::path& source, std::vector<std::string> extraArgs = {}) {
    const fs::path out = source.parent_path() / "out";
    fs::remove_all(out);
    std::vector<std::string> args{"-q", "--keep-blank-lines", "-g", "0", "-p", "%n",
                                  "-o", out.string()};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    args.push_back(source.string());
    const RunResult run = RunSplit(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::string joined;
    const fs::path folder = out / source.stem();
    for (const auto& file : ListFiles(folder))
        joined += ReadBytes(folder / file);
    return joined;
}

// A UTF-8 novel long enough that a paragraph pasted in from a GBK file, and a stray byte, are
// a small share of its non-ASCII text.
TEST(MixedEncodingTest, MostlyUtf8FileKeepsItsHeadingsAndItsStrayBytes) {
    std::vector<std::string> lines;
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(Encode(heading, "UTF-8"));
        for (int i = 0; i < 100; ++i)
            lines.push_back("　　他们在渡口等了很久，风雨之后，灯还亮着。");
    }
    lines[50] = Encode("　　这一段是旧稿，存成了国标码。", "GBK");
    lines[150] += "\xFF";
    TempDir dir;
    const auto source = dir / "novel.txt";
    const std::string bytes = JoinLines(lines, "\r\n");
    WriteBytes(source, bytes);

    const QJsonObject list = ListAsJson(source);
    EXPECT_EQ(list["encoding"].toString(), "UTF-8");
    ASSERT_EQ(list["count"].toInt(), 3);
    EXPECT_EQ(list["rows"].toArray()[1].toObject()["heading"].toString(), "第二章 继续");
    EXPECT_EQ(SplitAndJoin(source), bytes);
}

// Real novels in GBK and Big5 (our sample, and the same text in traditional characters): far
// from mostly UTF-8, they are read in their own encoding.
TEST(MixedEncodingTest, LegacyNovelsAreNeverTakenForUtf8) {
    const struct {
        const char* file;
        const char* encoding;
    } cases[] = {
        {"samples/qingdengji.txt", "GB18030"},
        {"tests/data/qingdengji-big5.txt", "Big5"},
    };
    for (const auto& c : cases) {
        const QJsonObject list = ListAsJson(fs::path(LUMARIN_SOURCE_TREE) / c.file);
        EXPECT_EQ(list["encoding"].toString(), c.encoding) << c.file;
        ASSERT_GT(list["count"].toInt(), 20) << c.file;
        EXPECT_EQ(list["rows"].toArray().last().toObject()["heading"].toString().left(3), "第二十")
            << c.file;
    }
}

// Hong Kong characters in a Big5 file: 哋 and 嘅 are read as themselves, carried into the
// converted output, and unchanged lines keep their bytes.
TEST(Big5HongKongTest, HongKongCharactersSurviveConversionAndFilters) {
    std::vector<std::string> lines{"書名：燈下舊事"};
    for (const char* heading : {"第一章 佢哋嘅約定", "第二章 燈還亮著"}) {
        lines.push_back(heading);
        for (int i = 0; i < 12; ++i) {
            lines.push_back("　　他們在渡口等了很久，風雨之後，燈還亮著，遠處傳來鐘聲。");
            lines.push_back("　　佢哋話呢度嘅燈唔會熄。");
        }
    }
    TempDir dir;
    const auto source = dir / "novel.txt";
    const std::string bytes = Encode(JoinLines(lines, "\r\n"), "BIG5-HKSCS");
    WriteBytes(source, bytes);

    const QJsonObject list = ListAsJson(source);
    EXPECT_EQ(list["encoding"].toString(), "Big5");
    ASSERT_EQ(list["count"].toInt(), 2);
    EXPECT_EQ(list["rows"].toArray()[0].toObject()["heading"].toString(), "第一章 佢哋嘅約定");

    EXPECT_EQ(SplitAndJoin(source), bytes);

    const std::string simplified = SplitAndJoin(source, {"-s"});
    EXPECT_NE(simplified.find(Encode("第一章 佢哋嘅约定\r\n", "GB18030")), std::string::npos);
    EXPECT_NE(simplified.find(Encode("佢哋话呢度嘅灯唔会熄", "GB18030")), std::string::npos);

    const std::string filtered = SplitAndJoin(source, {"-f", "約定"});
    EXPECT_NE(filtered.find(Encode("\r\n第一章 佢哋嘅\r\n", "BIG5-HKSCS")), std::string::npos);
    EXPECT_NE(filtered.find(Encode("\r\n　　佢哋話呢度嘅燈唔會熄。\r\n", "BIG5-HKSCS")),
              std::string::npos);
}

// Text written in Cantonese, with Hong Kong characters on every line, is Big5 too.
TEST(Big5HongKongTest, CantoneseNovelIsReadAsBig5) {
    std::vector<std::string> lines{"第一章 佢哋嘅約定"};
    for (int i = 0; i < 30; ++i) {
        lines.push_back("　　佢哋話呢度嘅燈唔會熄，啲人成日都喺度等。");
        lines.push_back("　　我哋行咗好耐，終於見到嗰間舖頭。");
    }
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "BIG5-HKSCS"));
    const QJsonObject list = ListAsJson(source);
    EXPECT_EQ(list["encoding"].toString(), "Big5");
    ASSERT_EQ(list["count"].toInt(), 1);
    EXPECT_EQ(list["rows"].toArray()[0].toObject()["title"].toString(), "佢哋嘅約定");
}

// A condition that looks to the end of the line at every character: on a 1 MB line the shared
// budget of the line runs out, and the analysis stops with the line's number.
TEST(MatchLimitTest, LookaheadToTheEndOfALongLineStops) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, "第一章 开始\n" + std::string(1'000'000, 'a') + "\n正文\n");
    const RunResult run = RunSplit({"-q", "--list", "-c", "(?=.*$).", source.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "标题条件在第2行超出匹配次数上限，分析已停止!\n");
}

} // namespace
} // namespace lumarin::cli::test
