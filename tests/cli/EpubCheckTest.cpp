// SPDX-License-Identifier: MIT
// Every kind of book lumarin-split writes, checked by epubcheck: no errors and no warnings.
// One epubcheck run (one Java start) per test; skipped, saying why, when epubcheck is missing.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

struct BookCase {
    const char* name;
    std::vector<std::string> options;
};

std::string ChineseDigit(int n) {
    static const char* const kDigits[] = {"零", "一", "二", "三", "四",
                                          "五", "六", "七", "八", "九"};
    return kDigits[n];
}

// The source of each case, written into `dir`.
std::filesystem::path WriteSource(const std::string& name, const TempDir& dir) {
    if (name == "sample") {
        const auto path = dir / "qingdengji.txt";
        WriteBytes(path, ReadBytes(LUMARIN_SAMPLE_NOVEL));
        return path;
    }
    if (name == "cover") {
        // A PNG picture beside the advertisement book.
        dir.write("cover.png", ReadBytes(std::string(LUMARIN_COVERS_DIR) + "/rgb.png"));
        return dir.write("ads.txt", ReadBytes(LUMARIN_CLEANUP_CORPUS "/ads.txt"));
    }
    if (name == "big5") {
        auto lines =
            NovelLines({"第一章 開始", "第二章 繼續", "第三章 結束"}, "《燈下舊事》　作者：無名氏");
        for (auto& line : lines) {
            if (line.starts_with("　　")) line = "　　他們在渡口等了很久，風雨之後，燈還亮著。";
        }
        return dir.write("big5.txt", Encode(JoinLines(lines, "\r\n"), "BIG5"));
    }
    if (name == "invalid") {
        std::string text =
            Encode(JoinLines(NovelLines({"第一章 开始", "第二章 继续"}), "\r\n"), "GBK");
        text.insert(text.find('\r'), "\xFF\x80<&\x01");
        text += "\xFE";
        return dir.write("invalid.txt", text);
    }
    if (name == "parts") { // no heading at all: only --split-size can cut it
        std::vector<std::string> lines;
        for (int i = 0; i < 300; ++i)
            lines.push_back("　　第" + std::to_string(i) + "段回忆，那年夏天的雨下了很久很久。");
        return dir.write("parts.txt", JoinLines(lines, "\n"));
    }
    if (name == "awkward") return dir.write("awkward.txt", JoinLines(AwkwardNovelLines(), "\n"));
    if (name.starts_with("volumes_")) {
        const auto path = dir / (name.substr(8, name.find('_', 8) - 8) + ".txt");
        WriteBytes(path, ReadBytes(std::filesystem::path(LUMARIN_VOLUMES_DIR) / path.filename()));
        return path;
    }
    std::vector<std::string> headings;
    const int count = name == "thousand" ? 1000 : 7;
    for (int i = 1; i <= count; ++i)
        headings.push_back("第" + std::to_string(i) + "章 " + ChineseDigit(i % 10) + "号");
    return dir.write(name + ".txt", JoinLines(NovelLines(headings), "\n"));
}

// How to start epubcheck: the Debian package installs a jar as the program.
std::vector<std::string> EpubcheckCommand() {
    const std::string program = LUMARIN_EPUBCHECK;
    if (program.empty() || program.ends_with("NOTFOUND")) return {};
    if (!ReadBytes(program).starts_with("PK")) return {program};
    const std::string java = LUMARIN_JAVA;
    if (java.empty() || java.ends_with("NOTFOUND")) return {};
    return {java, "-XX:TieredStopAtLevel=1", "-XX:+UseSerialGC", "-jar", program};
}

class EpubCheckTest : public ::testing::TestWithParam<BookCase> {};

TEST_P(EpubCheckTest, PassesWithoutErrorsOrWarnings) {
    std::vector<std::string> command = EpubcheckCommand();
    if (command.empty()) GTEST_SKIP() << "epubcheck (and java) not found: run scripts/bootstrap";
    const BookCase& c = GetParam();
    TempDir dir;
    const auto source = WriteSource(c.name, dir);
    const auto book = dir / "book.epub";
    std::vector<std::string> args{"-q"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    if (std::string(c.name) == "cover")
        args.insert(args.end(), {"--cover", (dir / "cover.png").string()});
    args.insert(args.end(), {source.string(), "--epub", book.string()});
    const RunResult split = RunSplit(args);
    ASSERT_EQ(split.exitCode, 0) << split.err;

    command.push_back(book.string());
    const RunResult check = RunProgram(command);
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_NE(check.out.find("0 fatals / 0 errors / 0 warnings"), std::string::npos)
        << check.out << check.err;
}

INSTANTIATE_TEST_SUITE_P(
    Books, EpubCheckTest,
    ::testing::Values(
        BookCase{"sample", {}}, BookCase{"big5", {}}, BookCase{"invalid", {}},
        BookCase{"thousand", {}}, BookCase{"grouped", {"-n", "3"}},
        BookCase{"cover", {"--clean", "--unwrap"}},
        // Contents nested under volumes; a volume on its
        // chapter's line; volumes in a table of contents.
        BookCase{"volumes_restart", {"-c", "auto"}}, BookCase{"volumes_shared", {"-c", "auto"}},
        BookCase{"volumes_toc", {"-c", "auto", "-n", "2"}},
        BookCase{"volumes_english", {"-c", "auto"}}, BookCase{"parts", {"--split-size", "800"}},
        BookCase{"volumes_restart_parts", {"-c", "auto", "--split-size", "300"}},
        // Prefaces longer than a part; groups of parts.
        BookCase{"volumes_prefaces_parts", {"-c", "auto", "--split-size", "100"}},
        BookCase{"volumes_prefaces_groups", {"-c", "auto", "-n", "5", "--split-size", "200"}},
        // Every character XML gives a meaning, in headings, volumes and title.
        BookCase{"awkward", {"-c", "auto", "--title", "\"灯\" & <夜> 'A'"}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace lumarin::cli::test
