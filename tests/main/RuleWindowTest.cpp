// SPDX-License-Identifier: MIT
// The window's review of a chapter list: the rule choice, rows the audit doubts (their colour,
// their reasons, one action to check them), near misses and the preview of the selected chapter.
#include "MainWindowFixture.h"
#include "platform/Gdi.h"
#include "platform/WindowHost.h"

#include <QComboBox>
#include <QLabel>

namespace lumarin::app {
namespace {

using namespace platform;
using RuleWindow = test::MainWindowFixture;

// 第N回 chapters twelve lines apart: a gap before 第五回, 第六回 twice, and a near miss.
std::vector<std::string> NovelWithFaults() {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第五回 合", "第六回 再",
                                "第六回 又", "第七回 终"}) {
        lines.push_back(heading);
        for (int i = 1; i <= 11; ++i)
            lines.push_back(i == 3 ? "　　他说这已经是第二回合了。" : "　　这是正文的一行。");
    }
    lines[20] = "第四囘 错字";
    return lines;
}

TEST_F(RuleWindow, AutomaticChoiceFlagsRowsAndChecksThemInOneAction) {
    window->cboRule()->setCurrentIndex(window->cboRule()->findText(QStringLiteral("自动")));
    analyse(writeNovel(NovelWithFaults()));

    EXPECT_EQ(window->lblRule()->text(), QStringLiteral("自动选择：第N回"));
    ASSERT_EQ(list().ItemCount(), 7);
    EXPECT_EQ(column(1)[3], QStringLiteral("第五回 合"));
    EXPECT_EQ(window->cmdNearMisses()->text(), QStringLiteral("疑似标题(1)"));
    EXPECT_EQ(window->cmdCheckFlagged()->text(), QStringLiteral("勾选可疑(2)"));

    // Flagged rows have a colour of their own, apart from plain, checked and selected rows.
    std::int32_t back = 0, fore = 0;
    const auto backOf = [&](std::int32_t row) {
        window->CustomDraw(row, 1, back, fore);
        return back;
    };
    const std::int32_t flagged = backOf(3);
    EXPECT_EQ(backOf(5), flagged);
    EXPECT_NE(flagged, backOf(0));
    list().ItemChecked(0, true);
    EXPECT_NE(flagged, backOf(0));
    list().ItemChecked(0, false);
    click(rowPoint(4, 200));
    EXPECT_NE(flagged, backOf(4));

    // The drawn list shows it too.
    list().Refresh();
    const PixelBuffer* surface = GetWindowSurface(list().hWnd());
    ASSERT_NE(surface, nullptr);
    const POINT gapRow = rowPoint(3, 200);
    EXPECT_EQ(surface->at(gapRow.x, gapRow.y) & 0xFFFFFF, ToPixel(RGB(230, 190, 250)) & 0xFFFFFF);

    // Selecting a row says why it is doubted, how long its chapter is, and shows its start.
    click(rowPoint(5, 200));
    EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第62行，共119字　可疑：重复：与第50行同为第6回"));
    const QStringList preview = window->txtPreview()->toPlainText().split('\n');
    ASSERT_GE(preview.size(), 3);
    EXPECT_EQ(preview[0], QStringLiteral("第六回 又"));
    EXPECT_EQ(preview[1], QStringLiteral("　　这是正文的一行。"));
    EXPECT_TRUE(window->txtPreview()->isReadOnly());
    click(rowPoint(0, 200));
    EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第2行，共119字"));

    services.messageBox().ScriptAnswer(IDYES);
    window->cmdCheckFlagged()->click();
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(list().ItemChecked(r), r == 3 || r == 5) << "row " << r;
    EXPECT_EQ(column(0), (std::vector<QString>{"1", "2", "3", ".", "4", ".", "5"}));
    EXPECT_EQ(window->windowTitle().right(4), QStringLiteral(" 5/7"));
    // Checked rows keep their numbers in the sequence: no neighbour is doubted now.
    EXPECT_EQ(window->cmdCheckFlagged()->text(), QStringLiteral("勾选可疑(0)"));
    EXPECT_FALSE(window->cmdCheckFlagged()->isEnabled());
}

TEST_F(RuleWindow, NearMissesWithTheirLineNumbers) {
    window->cboRule()->setCurrentIndex(window->cboRule()->findText(QStringLiteral("自动")));
    analyse(writeNovel(NovelWithFaults()));
    window->cmdNearMisses()->click();
    ASSERT_NE(window->txtNearMisses(), nullptr);
    EXPECT_TRUE(window->txtNearMisses()->isVisible());
    EXPECT_EQ(window->txtNearMisses()->toPlainText(), QStringLiteral("第21行\t第四囘 错字\n"));
}

TEST_F(RuleWindow, OwnConditionIsUsedAsWrittenAndANamedRuleAsChosen) {
    useOwnCondition();
    const auto novel = writeNovel(NovelWithFaults());
    analyse(novel);
    EXPECT_EQ(list().ItemCount(), 0) << "the default condition reads 章, not 回";
    EXPECT_EQ(window->lblRule()->text(), QString());

    window->cboRule()->setCurrentIndex(
        window->cboRule()->findText(QStringLiteral("第N回"), Qt::MatchStartsWith));
    analyse(novel);
    EXPECT_EQ(window->lblRule()->text(), QStringLiteral("规则：第N回"));
    EXPECT_EQ(list().ItemCount(), 7);
}

TEST_F(RuleWindow, AutomaticChoiceSaysWhenNoRuleExplainsTheText) {
    std::vector<std::string> novella = {"小城之春", "作者：某某", ""};
    for (int i = 0; i < 40; ++i)
        novella.push_back(i % 5 == 0 ? "　　“好。”" : "　　那年冬天来得特别早，雪就落下来了。");
    window->cboRule()->setCurrentIndex(window->cboRule()->findText(QStringLiteral("自动")));
    analyse(writeNovel(novella));
    EXPECT_EQ(window->lblRule()->text(), QStringLiteral("未找到章节标题"));
    EXPECT_EQ(list().ItemCount(), 0);

    analyse(writeNovel(NovelWithFaults())); // a rule found again replaces the words
    EXPECT_EQ(window->lblRule()->text(), QStringLiteral("自动选择：第N回"));
}

} // namespace
} // namespace lumarin::app
