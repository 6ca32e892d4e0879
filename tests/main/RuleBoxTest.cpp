// SPDX-License-Identifier: MIT
// The condition box shows the rule in use: a built-in rule's condition,
// read-only and drawn so; the user's own, editable, with "自定义条件". A new
// choice analyses the open book at once.
#include "MainWindowFixture.h"
#include "engine/headings/HeadingCondition.h"
#include "engine/headings/HeadingRules.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

namespace lumarin::app {
namespace {

using RuleBox = test::MainWindowFixture;

QString ConditionOf(const char16_t* rule) {
    return QString::fromStdU16String(engine::FindRule(rule)->condition);
}

std::vector<std::string> HuiBook() {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第四回 合"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　这是正文的一行。");
    }
    return lines;
}

TEST_F(RuleBox, TheBoxShowsTheRuleInUseAndKeepsTheUsersOwnText) {
    QComboBox* rule = window->cboRule();
    QPlainTextEdit* box = window->txtFind();
    const struct {
        const char* name;
        QString choice;
        QString shown; // before any book is open
        bool readOnly;
    } cases[] = {
        {"own condition", QStringLiteral("自定义条件"), QStringLiteral("第(.+)章(.*)"), false},
        {"a named rule", QStringLiteral("第N回"), ConditionOf(u"第N回"), true},
        {"automatic, nothing analysed", QStringLiteral("自动"), QString(), true},
        {"own condition again", QStringLiteral("自定义条件"), QStringLiteral("第(.+)章(.*)"),
         false},
    };
    rule->setCurrentIndex(rule->findText(QStringLiteral("自定义条件")));
    const QColor editableBase = box->palette().color(QPalette::Base);
    box->setPlainText(QStringLiteral("第(.+)章(.*)")); // the user's own text
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rule->setCurrentIndex(rule->findText(c.choice, Qt::MatchStartsWith));
        EXPECT_EQ(box->toPlainText(), c.shown);
        EXPECT_EQ(box->isReadOnly(), c.readOnly);
        // Read-only is visible: the box is not drawn like one to type in.
        EXPECT_EQ(box->palette().color(QPalette::Base) != editableBase, c.readOnly);
        EXPECT_EQ(box->toolTip().isEmpty(), !c.readOnly);
    }
    // Typing into a read-only box changes nothing.
    rule->setCurrentIndex(rule->findText(QStringLiteral("第N回"), Qt::MatchStartsWith));
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("xyz"));
    EXPECT_EQ(box->toPlainText(), ConditionOf(u"第N回"));

    // The own condition is what is kept between runs, whatever rule is shown.
    window->close();
    EXPECT_EQ(OpenSettings()->value("condition").toString(), QStringLiteral("第(.+)章(.*)"));
}

TEST_F(RuleBox, ChoosingARuleAnalysesTheOpenBookAtOnce) {
    QComboBox* rule = window->cboRule();
    rule->setCurrentIndex(rule->findText(QStringLiteral("自定义条件")));
    analyse(writeNovel(HuiBook()));
    ASSERT_EQ(list().ItemCount(), 0) << "the default condition reads 章, not 回";

    rule->setCurrentIndex(rule->findText(QStringLiteral("自动")));
    EXPECT_EQ(list().ItemCount(), 4) << "no 分析 pressed";
    EXPECT_EQ(window->lblRule()->text(), QStringLiteral("自动选择：第N回"));
    EXPECT_EQ(window->txtFind()->toPlainText(), ConditionOf(u"第N回"))
        << "the rule the automatic choice took";

    rule->setCurrentIndex(rule->findText(QStringLiteral("第N章"), Qt::MatchStartsWith));
    EXPECT_EQ(list().ItemCount(), 0);
    EXPECT_EQ(window->txtFind()->toPlainText(), ConditionOf(u"第N章"));

    // "恢复默认标题条件" brings the own condition back, editable, and uses it.
    window->mnuDefaultCondition()->trigger();
    EXPECT_EQ(rule->currentText(), QStringLiteral("自定义条件"));
    EXPECT_FALSE(window->txtFind()->isReadOnly());
    EXPECT_EQ(window->txtFind()->toPlainText(),
              QString::fromStdU16String(std::u16string(engine::kDefaultCondition)));
    EXPECT_TRUE(services.messageBox().Calls().empty());
}

TEST_F(RuleBox, ATypedConditionIsTheOneUsedKeptInTheBoxAndSaved) {
    useOwnCondition();
    const QString typed = QStringLiteral("第([一二三四五六七八九十]+)(回)(.*)");
    // Typed: the box's own edit, as a keystroke makes one (QTest types ASCII only).
    window->txtFind()->selectAll();
    window->txtFind()->insertPlainText(typed);
    const auto book = writeNovel(HuiBook());
    // Twice: the second 分析 reads the box as the first left it.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        analyse(book);
        EXPECT_EQ(list().ItemCount(), 4);
        EXPECT_EQ(window->txtFind()->toPlainText(), typed);
        // Kept at once: the settings say so while the window is still open.
        EXPECT_EQ(OpenSettings()->value("condition").toString(), typed);
    }
    window->close();
    window = std::make_unique<frmTessel>();
    EXPECT_EQ(window->cboRule()->currentText(), QStringLiteral("自定义条件"));
    EXPECT_EQ(window->txtFind()->toPlainText(), typed);
}

} // namespace
} // namespace lumarin::app
