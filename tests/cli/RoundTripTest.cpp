// SPDX-License-Identifier: MIT
// With blank lines kept, no filter and no conversion, a split must give back the source byte for
// byte (line ends become CR LF), whatever it holds: invalid bytes, mixed line ends, a missing
// final line end, checked rows inside a chapter.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

struct RoundTripCase {
    const char* name;
    std::string source;
    std::string expected; // the files concatenated in order
    std::vector<std::string> extraArgs;
};

std::string Gbk(const std::string& utf8) {
    return Encode(utf8, "GBK");
}

std::vector<RoundTripCase> Cases() {
    const auto body = NovelLines({"第一章 开始", "第二章 继续", "第三章 结束"});
    const std::string gbkCrLf = Gbk(JoinLines(body, "\r\n"));
    // 0x80 and 0xFF are no GBK lead bytes; 0x81 0x20 is a lead byte with a bad trail byte.
    const std::string broken = Gbk("前言") + "\x80\xFF" + Gbk("残缺") + "\x81\x20" + "\r\n";
    const std::string mixed = Gbk("甲") + "\n" + Gbk("第一章 乙") + "\r" + Gbk("丙") + "\r\n" +
                              "\n" + "\r" + Gbk("第二章 丁") + "\n" + Gbk("戊");
    const std::string mixedCrLf = Gbk("甲") + "\r\n" + Gbk("第一章 乙") + "\r\n" + Gbk("丙") +
                                  "\r\n" + "\r\n" + "\r\n" + Gbk("第二章 丁") + "\r\n" + Gbk("戊") +
                                  "\r\n";
    // An unpaired high surrogate, then a low surrogate without its high half.
    const std::string utf16Broken = "\xFF\xFE" + Encode("第一章 开始\n", "UTF-16LE") +
                                    std::string("\x00\xD8", 2) + Encode("坏\n", "UTF-16LE") +
                                    std::string("\x00\xDC", 2) + Encode("\n", "UTF-16LE");
    const std::string utf16BrokenCrLf = "\xFF\xFE" + Encode("第一章 开始\r\n", "UTF-16LE") +
                                        std::string("\x00\xD8", 2) + Encode("坏\r\n", "UTF-16LE") +
                                        std::string("\x00\xDC", 2) + Encode("\r\n", "UTF-16LE");
    const std::string utf16 = Encode(JoinLines(body, "\n"), "UTF-16LE");

    return {
        {"GbkCrLf", gbkCrLf, gbkCrLf, {}},
        {"GbkInvalidBytesInBodyAndHeading",
         broken + Gbk("第一章 ") + "\xFF" + Gbk("题") + "\r\n" + gbkCrLf,
         broken + Gbk("第一章 ") + "\xFF" + Gbk("题") + "\r\n" + gbkCrLf,
         {}},
        {"MixedLineEndsAndNoFinalLineEnd", mixed, mixedCrLf, {}},
        {"Utf16WithLoneSurrogates", utf16Broken, utf16BrokenCrLf, {}},
        {"Utf16LeLf",
         "\xFF\xFE" + utf16,
         "\xFF\xFE" + Encode(JoinLines(body, "\r\n"), "UTF-16LE"),
         {}},
        {"CheckedRowsStayInTheirChapter", gbkCrLf, gbkCrLf, {"--check", "2"}},
        {"TwoChaptersPerFile", gbkCrLf, gbkCrLf, {"-n", "2"}},
    };
}

// Test names and failure messages show the case name, not the bytes of the struct.
void PrintTo(const RoundTripCase& c, std::ostream* out) {
    *out << c.name;
}

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, ConcatenatedFilesEqualTheSource) {
    const RoundTripCase& c = GetParam();
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, c.source);
    std::vector<std::string> args{"-q", "--keep-blank-lines",  "-g", "0", "-p", "%n",
                                  "-o", (dir / "out").string()};
    args.insert(args.end(), c.extraArgs.begin(), c.extraArgs.end());
    args.push_back(source.string());

    const RunResult run = RunSplit(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::string joined;
    const auto root = dir / "out" / "novel";
    bool first = true;
    for (const auto& file : ListFiles(root)) { // "000.txt", "001.txt" ... sort in file order
        std::string bytes = ReadBytes(root / file);
        // Every new file of a source with a byte order mark starts with one; the source has one.
        if (!first && c.source.rfind("\xFF\xFE", 0) == 0 && bytes.rfind("\xFF\xFE", 0) == 0) {
            bytes.erase(0, 2);
        }
        first = false;
        joined += bytes;
    }
    EXPECT_EQ(joined, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Sources, RoundTripTest, ::testing::ValuesIn(Cases()),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace lumarin::cli::test
