// SPDX-License-Identifier: MIT
// The line under the condition says when the list may come from the wrong
// condition: the user's own condition whose second group is not 章, 草 or 曹
// (the rows keep "0-(Unknown)"), or a remembered rule that finds far fewer
// headings than the automatic choice, or only front matter; where a built-in
// rule does better, a link takes it.
#include "MainWindowFixture.h"

#include <QComboBox>
#include <QLabel>

namespace lumarin::app {
namespace {

using RuleAdvice = test::MainWindowFixture;

// Eight 第N回 chapters twelve lines apart; `extra` lines go in after line `at`.
std::vector<std::string> HuiBook(std::size_t at = 0, std::vector<std::string> extra = {}) {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* n : {"一", "二", "三", "四", "五", "六", "七", "八"}) {
        lines.push_back(std::string("第") + n + "回 标题" + n);
        lines.insert(lines.end(), 11, "　　这是正文的一行。");
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at + 1), extra.begin(), extra.end());
    return lines;
}

void ChooseRule(QComboBox* box, const QString& startOfText) {
    box->setCurrentIndex(box->findText(startOfText, Qt::MatchStartsWith));
}

TEST_F(RuleAdvice, TheLineUnderTheConditionSaysWhenABuiltInRuleDoesBetter) {
    const struct {
        const char* name;
        std::vector<std::string> book;
        QString rule;      // the choice under 标题条件
        QString condition; // typed, for 自定义条件
        std::int32_t rows;
        QString said; // empty: nothing beyond the rule's name
        QString preview; // of the first row
    } cases[] = {
        {"own condition for 回",
         HuiBook(),
         QStringLiteral("自定义条件"),
         QStringLiteral("第([一二三四五六七八]+)(回)(.*)"),
         8,
         QStringLiteral("条件的第二组不是章、草或曹：文件名里没有章节数和标题"),
         QStringLiteral("0-(Unknown)")},
        {"own condition of two groups",
         HuiBook(),
         QStringLiteral("自定义条件"),
         QStringLiteral("第([一二三四五六七八]+)回(.*)"),
         8,
         QStringLiteral("条件的第二组不是章、草或曹"),
         QStringLiteral("0-(Unknown)")},
        {"remembered rule, only front matter",
         HuiBook(0, {"第一章 楔子", "　　楔子正文。"}),
         QStringLiteral("第N章"),
         QString(),
         1,
         QStringLiteral("只在正文之前找到1个标题"),
         QStringLiteral("1-楔子")},
        {"remembered rule, far fewer",
         HuiBook(30, {"第一章 插曲", "　　插曲。"}),
         QStringLiteral("第N章"),
         QString(),
         1,
         QStringLiteral("当前的规则只找到1个标题"),
         QStringLiteral("1-插曲")},
        {"the automatic choice", HuiBook(), QStringLiteral("自动"), QString(), 8, QString(),
         QStringLiteral("1-标题一")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->txtFile()->clear();
        ChooseRule(window->cboRule(), c.rule);
        if (!c.condition.isEmpty()) window->txtFind()->setPlainText(c.condition);
        const auto book = writeNovel(c.book);
        analyse(book);
        ASSERT_EQ(list().ItemCount(), c.rows);
        EXPECT_EQ(column(2)[0], c.preview) << "the rows are as described, whatever is said";
        const QString line = window->lblRule()->text();
        if (c.said.isEmpty()) {
            EXPECT_FALSE(line.contains(QStringLiteral("href"))) << line.toStdString();
            continue;
        }
        EXPECT_TRUE(line.contains(c.said)) << line.toStdString();
        ASSERT_TRUE(line.contains(QStringLiteral("href=\"rule:第N回\""))) << line.toStdString();
        emit window->lblRule()->linkActivated(QStringLiteral("rule:第N回"));
        EXPECT_EQ(window->cboRule()->currentData().toString(), QStringLiteral("第N回"));
        EXPECT_EQ(list().ItemCount(), 8);
        EXPECT_EQ(column(2)[0], QStringLiteral("1-标题一"));
        EXPECT_FALSE(window->lblRule()->text().contains(QStringLiteral("href")));
    }
}

} // namespace
} // namespace lumarin::app
