// SPDX-License-Identifier: MIT
#include "engine/output/FileNaming.h"

#include "TestText.h"
#include "engine/headings/Renumbering.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::U8;

TEST(CleanFileName, TrimsThenRemovesForbiddenCharacters) {
    const struct {
        std::u16string input, expected;
    } cases[] = {
        {u"  开始  ", u"开始"},
        {u"a\\b/c:d*e?f\"g<h>i|j", u"abcdefghij"},
        {u"", u"(Unknown)"},
        {u"   ", u"(Unknown)"},
        {u"?/", u"(Unknown)"},
        {u"? 问 ?", u" 问 "}, // nothing is trimmed after the removal
        {u"\u3000标题", u"\u3000标题"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(CleanFileName(input), expected) << U8(input);
}

TEST(ExpandNamePattern, ReplacesInOrderWithoutRescanning) {
    const struct {
        std::u16string pattern;
        std::int32_t file;
        std::int16_t chapter;
        std::u16string title, expected;
    } cases[] = {
        {u"%n-%c%s", 0, 0, u"(Index)", u"000-0(Index).txt"},
        {u"%n-%c%s", 7, 12, u"风起", u"007-12风起.txt"},
        {u"%n-%c%s", 1234, -3, u"x", u"1234--3x.txt"},
        {u"%c%s", 5, 5, u"%n%c", u"5%n%c.txt"}, // a title is inserted literally
        {u"%N %S", 1, 1, u"t", u"%N %S.txt"},   // case-sensitive
        {u"", 3, 3, u"t", u".txt"},
        {u"%n%n", 2, 0, u"", u"002002.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandNamePattern(c.pattern, c.file, c.chapter, c.title), c.expected)
            << U8(c.pattern);
}

TEST(FileNameOnDisk, ShortensLongNamesAtCharacterBoundaryBeforeTxt) {
    const std::u16string longTitle(200, u'章'); // 600 bytes in UTF-8
    const std::string name = FileNameOnDisk(u"001-" + longTitle + u".txt");
    EXPECT_LE(name.size(), 255u);
    EXPECT_TRUE(name.ends_with(".txt"));
    EXPECT_TRUE(name.starts_with("001-"));
    // Whole characters only: the part before ".txt" is "001-" plus complete 章.
    EXPECT_EQ((name.size() - 4 - 4) % 3, 0u);
    EXPECT_EQ(FileNameOnDisk(u"short.txt"), "short.txt");
    EXPECT_EQ(FileNameOnDisk(std::u16string(u"a\0b.txt", 7)), "ab.txt");
    const std::string exact = FileNameOnDisk(std::u16string(251, u'a') + u".txt");
    EXPECT_EQ(exact.size(), 255u);
}

TEST(OutputFolderFor, NamesTheFolderAfterTheSource) {
    const struct {
        std::string source;
        std::u16string folderText;
        std::string expected;
    } cases[] = {
        {"/书/小说.txt", u"(default)", "/书/小说"},
        {"/a.b/novel", u"(default)", "/a.b/novel_chapters"}, // no "." in the file name
        {"/a/my.novel.txt", u"(default)", "/a/my.novel"},    // cut at the last "."
        {"/书/小说.txt", u"/out", "/out/小说"},
        {"/书/小说.txt", u"/out/", "/out/小说"},
        {"/a.b/novel", u"/out", "/out/novel_chapters"},
        {"/a/.hidden", u"(default)", "/a/.hidden_chapters"},
        {"/a/..txt", u"/out", "/out/._chapters"},      // never the chosen folder itself
        {"/a/...txt", u"(default)", "/a/.._chapters"}, // nor its parent
        {"/a/novel.", u"/out", "/out/novel"},
        {"/书/小说.txt", u"(Default)", "(Default)/小说"}, // only the exact text is special
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutputFolderFor(c.source, c.folderText).generic_string(), c.expected) << c.source;
}

TEST(GroupFolders, UpperNumberIsTheLastFileTheFolderHolds) {
    const struct {
        std::int32_t group, perFolder, selected, perFile, upper;
    } cases[] = {
        {0, 50, 120, 1, 50},
        {1, 50, 120, 1, 100},
        {2, 50, 120, 1, 120},
        {0, 50, 3, 1, 3},
        {0, 2, 5, 2, 2},
        {1, 2, 5, 2, 3}, // 5 chapters, 2 per file: files 1..3
        {0, 32767, 32767, 1, 32767},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GroupUpperNumber(c.group, c.perFolder, c.selected, c.perFile), c.upper)
            << c.group << " " << c.perFolder << " " << c.selected << " " << c.perFile;
    EXPECT_EQ(GroupFolderName(0, 50, 50, 1), u"1-50(第1章+)");
    EXPECT_EQ(GroupFolderName(2, 50, 120, 101), u"101-120(第101章+)");
}

TEST(Renumbering, UncheckedRowsCountUpCheckedRowsGetADot) {
    EXPECT_EQ(RenumberLabels({false, true, false, false, true}),
              (std::vector<std::u16string>{u"1", u".", u"2", u"3", u"."}));
    EXPECT_TRUE(RenumberLabels({}).empty());
    const CheckCount count = CountUnchecked({false, true, false, true, true});
    EXPECT_EQ(count.unchecked, 2);
    EXPECT_EQ(count.total, 5);
}

} // namespace
} // namespace lumarin::engine
