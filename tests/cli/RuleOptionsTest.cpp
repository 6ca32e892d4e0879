// SPDX-License-Identifier: MIT
// Built-in rules on the command line: --rules, -r, -c auto, the audit in the JSON list and
// --near-misses; and the outputs that must not change for anyone who uses none of them.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

QJsonObject ParseJson(const std::string& text) {
    QJsonParseError error{};
    const QJsonObject doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return doc;
}

// A mention inside a sentence, a duplicate, a gap and a short chapter under the default condition.
std::string FaultyNovel() {
    std::vector<std::string> lines{"书名：回归", "第一章 开始"};
    const auto repeat = [&](const std::string& line, int n) { lines.insert(lines.end(), n, line); };
    repeat("正文一行。", 12);
    lines.push_back("他说第二章很好看。");
    repeat("正文。", 3);
    lines.push_back("第二章 继续");
    repeat("内容", 11);
    lines.push_back("第二章 继续");
    repeat("内容", 11);
    lines.push_back("第五章 跳过");
    repeat("x", 4);
    lines.push_back("第六章 短");
    repeat("y", 12);
    return JoinLines(lines, "\r\n");
}

// What --list --json printed before the rules existed, for FaultyNovel() as reg.txt.
constexpr const char* kJsonBeforeRules =
    R"({"source":"reg.txt","encoding":"UTF-8","lines":60,"count":6,"unchecked":4,"end_line":61,"rows":[)"
    R"({"row":1,"start_line":2,"number":1,"title":"开始","heading":"第一章 开始","checked":false,"label":"1"},)"
    R"({"row":2,"start_line":15,"number":2,"title":"很好看。","heading":"他说第二章很好看。","checked":true,"label":"."},)"
    R"({"row":3,"start_line":19,"number":2,"title":"继续","heading":"第二章 继续","checked":false,"label":"2"},)"
    R"({"row":4,"start_line":31,"number":2,"title":"继续","heading":"第二章 继续","checked":false,"label":"3"},)"
    R"({"row":5,"start_line":43,"number":5,"title":"跳过","heading":"第五章 跳过","checked":true,"label":"."},)"
    R"({"row":6,"start_line":48,"number":6,"title":"短","heading":"第六章 短","checked":false,"label":"4"}]})";

TEST(RuleOptionsTest, JsonListKeepsEveryKeyAndAddsTheAudit) {
    TempDir dir;
    WriteBytes(dir / "reg.txt", FaultyNovel());
    const RunResult run = RunSplit({"--list", "--json", (dir / "reg.txt").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonObject doc = ParseJson(run.out);
    EXPECT_TRUE(doc["rule"].isNull());
    const QString condition = doc["condition"].toString(); // the default condition
    EXPECT_TRUE(condition.startsWith(QString::fromUtf8("第(")) && condition.endsWith("(.*)"))
        << condition.toStdString();
    // 第六章 follows 第五章, checked as a short chapter: no gap.
    const char* flags[] = {"", "", "", "duplicate", "", ""};
    const int chars[] = {66, 18, 28, 28, 10, 17};
    QJsonArray rows = doc["rows"].toArray();
    for (int i = 0; i < rows.size(); ++i) {
        QJsonObject row = rows[i].toObject();
        const QJsonArray words = row["flags"].toArray();
        EXPECT_EQ(words.isEmpty() ? "" : words[0].toString().toStdString(), flags[i]) << i;
        EXPECT_EQ(row["chars"].toInt(), chars[i]) << i;
        EXPECT_EQ(row["added"], QJsonValue(false)) << i;
        EXPECT_TRUE(row["volume"].isNull()) << i;
        row.remove("flags");
        row.remove("chars");
        row.remove("added");
        row.remove("volume");
        rows[i] = row;
    }
    doc["rows"] = rows;
    EXPECT_EQ(doc["volumes"], QJsonArray());
    doc.remove("volumes");
    doc.remove("rule");
    doc.remove("condition");
    EXPECT_EQ(doc["checksum"].toString().size(), 64); // SHA-256 in hex
    doc.remove("checksum");
    doc["source"] = "reg.txt";
    EXPECT_EQ(doc, ParseJson(kJsonBeforeRules));
}

TEST(RuleOptionsTest, RulesListedAsTextAndJson) {
    const RunResult text = RunSplit({"--rules"});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    const RunResult json = RunSplit({"--rules", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const QJsonArray rules = ParseJson(json.out)["rules"].toArray();
    ASSERT_GE(rules.size(), 10);
    std::string expected;
    for (const auto& value : rules) {
        const QJsonObject rule = value.toObject();
        expected += rule["name"].toString().toStdString() + '\t' +
                    rule["example"].toString().toStdString() + '\t' +
                    rule["condition"].toString().toStdString() + '\n';
    }
    EXPECT_EQ(text.out, expected);
    EXPECT_NE(text.out.find("第N章\t第十二章 风起云涌\t^"), std::string::npos);
}

TEST(RuleOptionsTest, AutomaticChoiceAndNamedRule) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source,
               Encode(JoinLines(NovelLines({"第一回 起", "第二回 承", "第四回 合"}), "\n"), "GBK"));
    const std::string rows = "1\t[ ]\t1\t第一回 起\t1-起\t\n"
                             "2\t[ ]\t2\t第二回 承\t2-承\t\n"
                             "3\t[ ]\t3\t第四回 合\t4-合\tgap\n"
                             "3/3\n";
    const RunResult automatic = RunSplit({"-c", "auto", "--list", source.string()});
    ASSERT_EQ(automatic.exitCode, 0) << automatic.err;
    EXPECT_EQ(automatic.out, "rule\t第N回\n" + rows);

    const RunResult named = RunSplit({"--rule", "第N回", "--list", source.string()});
    EXPECT_EQ(named.out, automatic.out);

    const RunResult json = RunSplit({"-c", "auto", "--list", "--json", source.string()});
    EXPECT_EQ(ParseJson(json.out)["rule"].toString(), QString::fromUtf8("第N回"));

    // Splitting with the chosen rule writes the three chapters and the front matter.
    const RunResult split = RunSplit({"-c", "auto", "-o", (dir / "out").string(), source.string()});
    EXPECT_EQ(split.out, "处理完毕！共4个文件！\n");
}

// A text no rule explains: the automatic choice says so and splits nothing, where a
// named rule goes on as ever.
TEST(RuleOptionsTest, NoRuleExplainsTheText) {
    TempDir dir;
    const auto source = dir / "novella.txt";
    std::vector<std::string> lines{"小城之春", "作者：某某", ""};
    for (int i = 0; i < 40; ++i) {
        lines.push_back("　　那年冬天来得特别早，镇上的人还没来得及把柴火备足，雪就落下来了。");
        lines.push_back(i % 4 == 0 ? "　　“好。”" : "　　他翻到第三章，发现书页早已泛黄。");
    }
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "GB18030"));
    const RunResult text = RunSplit({"-c", "auto", "--list", source.string()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "rule\t-\n0/0\n");
    const RunResult json = RunSplit({"-c", "auto", "--list", "--json", source.string()});
    const QJsonObject doc = ParseJson(json.out);
    EXPECT_TRUE(doc.contains("rule") && doc["rule"].isNull());
    EXPECT_EQ(doc["count"].toInt(), 0);
    EXPECT_TRUE(doc["rows"].toArray().isEmpty());
    // Nothing to split at: refused as for any text without headings, and nothing written.
    const RunResult split = RunSplit({"-c", "auto", "-o", (dir / "out").string(), source.string()});
    EXPECT_EQ(split.exitCode, 1);
    EXPECT_EQ(split.err,
              "没有章节标题，无法分割!（按字数分割：--split-size N，例如 --split-size 5000）\n");
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novella.txt"});
    // A named rule keeps its name although it finds nothing.
    EXPECT_EQ(RunSplit({"-r", "第N章", "--list", source.string()}).out, "rule\t第N章\n0/0\n");
}

TEST(RuleOptionsTest, BadRuleUseIsRefusedAndWritesNothing) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, JoinLines(NovelLines({"第一章 起"}), "\n"));
    const RunResult unknown = RunSplit({"-r", "第N世", source.string()});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err,
              "--rule: no built-in rule named 第N世 (lumarin-split --rules lists them)\n");
    const RunResult both = RunSplit({"-r", "第N章", "-c", "第(.)(章)(.*)", source.string()});
    EXPECT_EQ(both.exitCode, 2);
    const RunResult misses = RunSplit({"--near-misses", source.string()});
    EXPECT_EQ(misses.exitCode, 2);
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
}

TEST(RuleOptionsTest, NearMissesAfterTheRows) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    std::vector<std::string> lines(30, "风吹过江面，一切如常。");
    lines[0] = "第一章 起";
    lines[5] = "第三张 错字";
    lines[7] = "Chapter 9";
    lines[15] = "第二章 承";
    WriteBytes(source, JoinLines(lines, "\r\n"));
    const RunResult text = RunSplit({"--list", "--near-misses", source.string()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "1\t[ ]\t1\t第一章 起\t1-起\n"
                        "2\t[ ]\t2\t第二章 承\t2-承\n"
                        "2/2\n"
                        "near-miss\t6\t第三张 错字\n"
                        "near-miss\t8\tChapter 9\n");
    const RunResult json = RunSplit({"--list", "--json", "--near-misses", source.string()});
    const QJsonArray misses = ParseJson(json.out)["near_misses"].toArray();
    ASSERT_EQ(misses.size(), 2);
    EXPECT_EQ(misses[1].toObject()["line"].toInt(), 8);
    EXPECT_EQ(misses[1].toObject()["text"].toString(), "Chapter 9");
}

} // namespace
} // namespace lumarin::cli::test
