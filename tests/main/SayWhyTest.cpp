// SPDX-License-Identifier: MIT
// An empty list says why and what to try; 输出 with nothing to split says so
// first; a missing or folder drop is said at once and leaves the list's book;
// a first run starts on the automatic rule choice.
#include "MainWindowFixture.h"
#include "engine/encoding/EncodingChoice.h"
#include "main/frmNearMisses.h"

#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <fstream>

namespace lumarin::app {
namespace {

using namespace platform;
using SayWhy = test::MainWindowFixture;

// Chapters twelve lines apart under `headings`.
std::vector<std::string> Chapters(std::initializer_list<const char*> headings) {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : headings) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　这是正文的一行。");
    }
    return lines;
}

void Choose(QComboBox* box, const QString& startOfText) {
    const int index = box->findText(startOfText, Qt::MatchStartsWith);
    ASSERT_GE(index, 0) << startOfText.toStdString();
    box->setCurrentIndex(index);
}

void ChooseEncoding(QComboBox* box, engine::InputEncodingChoice choice) {
    box->setCurrentIndex(box->findData(static_cast<int>(choice)));
}

TEST_F(SayWhy, AnEmptyListSaysWhyAndItsLinkTakesTheNextStep) {
    const auto huiBook =
        writeNovel(Chapters({"第一回 起", "第二回 承", "第三回 转", "第四回 合"}), "hui.txt");
    const auto plain =
        writeNovel({"书名：无题", "　　只有正文，没有标题。", "　　又一行。"}, "plain.txt");
    const auto empty = dir.path() / "empty.txt";
    test::WriteGbkLines(empty, {});
    const struct {
        const char* name;
        std::filesystem::path book;
        QString rule; // the choice under 标题条件
        engine::InputEncodingChoice encoding;
        std::vector<QString> words; // in the note
        QString link;               // the next step offered, or empty
        std::int32_t rowsAfterLink;
    } cases[] = {
        {"GBK read as UTF-8",
         huiBook,
         QStringLiteral("自动"),
         engine::InputEncodingChoice::Utf8,
         {QStringLiteral("UTF-8"), QStringLiteral("多半无效"), QStringLiteral("GB18030"),
          QStringLiteral("自动识别")},
         QStringLiteral("encoding:auto"),
         4},
        {"own condition, a rule fits",
         huiBook,
         QStringLiteral("自定义条件"),
         engine::InputEncodingChoice::Auto,
         {QStringLiteral("当前的标题条件一个也没有找到"), QStringLiteral("“第N回”能找到4个")},
         QStringLiteral("rule:第N回"),
         4},
        {"named rule, another fits",
         huiBook,
         QStringLiteral("第N章"),
         engine::InputEncodingChoice::Auto,
         {QStringLiteral("“第N回”")},
         QStringLiteral("rule:第N回"),
         4},
        {"own condition, nothing fits",
         plain,
         QStringLiteral("自定义条件"),
         engine::InputEncodingChoice::Auto,
         {QStringLiteral("也没有内置规则适合"), QStringLiteral("“按字数分割”")},
         QStringLiteral("rule:auto"),
         0},
        {"automatic, nothing fits",
         plain,
         QStringLiteral("自动"),
         engine::InputEncodingChoice::Auto,
         {QStringLiteral("没有一种内置规则适合"), QStringLiteral("疑似标题(0)"),
          QStringLiteral("“按字数分割”")},
         QStringLiteral("splitsize"),
         0},
        {"empty file",
         empty,
         QStringLiteral("自动"),
         engine::InputEncodingChoice::Auto,
         {QStringLiteral("源文件是空的")},
         QString(),
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->txtFile()->clear(); // choosing a rule with no book analyses nothing
        Choose(window->cboRule(), c.rule);
        ChooseEncoding(window->cboEncoding(), c.encoding);
        analyse(c.book);
        ASSERT_EQ(list().ItemCount(), 0);
        const QLabel* note = window->lblEmpty();
        ASSERT_TRUE(note->isVisible());
        for (const QString& words : c.words)
            EXPECT_TRUE(note->text().contains(words)) << note->text().toStdString();
        EXPECT_EQ(note->text().contains(QStringLiteral("href")), !c.link.isEmpty());
        EXPECT_TRUE(services.messageBox().Calls().empty()) << "said in the list, not in a box";
        // The words take the list's place.
        EXPECT_FALSE(window->lstMemoHost()->isVisible());
        EXPECT_GE(note->height(), window->lstMemoHost()->minimumHeight());
        if (c.link.isEmpty()) continue;
        ASSERT_TRUE(note->text().contains(QStringLiteral("href=\"") + c.link + QLatin1Char('"')));
        emit window->lblEmpty()->linkActivated(c.link);
        EXPECT_EQ(list().ItemCount(), c.rowsAfterLink);
        EXPECT_EQ(note->isVisible(), c.rowsAfterLink == 0);
        EXPECT_EQ(window->lstMemoHost()->isVisible(), c.rowsAfterLink > 0);
        if (c.link == QStringLiteral("splitsize")) {
            EXPECT_TRUE(window->txtSplitSize()->hasFocus()) << "the size is the next thing to type";
        }
    }
    ChooseEncoding(window->cboEncoding(), engine::InputEncodingChoice::Auto);
    Choose(window->cboRule(), QStringLiteral("自动"));
    analyse(plain);
    ASSERT_TRUE(window->lblEmpty()->isVisible());

    // A book dropped on the words opens as on the list.
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(huiBook.string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->lblEmpty(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->lblEmpty(), &drop);
    EXPECT_EQ(list().ItemCount(), 4);
    EXPECT_FALSE(window->lblEmpty()->isVisible()) << "a filled list needs no words";
    EXPECT_TRUE(window->lstMemoHost()->isVisible());
}

TEST_F(SayWhy, OutputWithNothingToSplitSaysSoBeforeAskingAboutFiles) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    const auto book = writeNovel(Chapters({"第一章 起", "第二章 承"}), "book.txt");
    // Chapter files from an earlier run are there: the question would come first.
    std::filesystem::create_directories(dir.path() / "book");
    std::ofstream(dir.path() / "book" / "000-0(Index).txt") << "x";
    const auto plain = writeNovel({"书名：无题", "　　只有正文。"}, "plain.txt");
    const struct {
        const char* name;
        std::filesystem::path book;
        bool checkAll;
        std::u16string said;
    } cases[] = {
        {"empty list", plain, false,
         u"列表中没有章节标题，无法分割!\n可以填写“按字数分割”，把全书切成几部分。"},
        {"every row checked", book, true, u"排除全部条件，无法分割!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        analyse(c.book);
        if (c.checkAll)
            for (std::int32_t r = 0; r < list().ItemCount(); ++r)
                list().ItemChecked(r, true);
        services.messageBox().Clear();
        services.messageBox().ScriptAnswer(IDYES); // would overwrite, were it asked
        QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
        ASSERT_EQ(services.messageBox().Calls().size(), 1u);
        EXPECT_EQ(services.messageBox().Calls()[0].text, c.said);
        services.messageBox().Clear();
    }
    EXPECT_EQ(test::ReadBytes(dir.path() / "book" / "000-0(Index).txt"), "x");
}

TEST_F(SayWhy, ASizePerPartCutsABookWithoutHeadingsIntoParts) {
    std::vector<std::string> lines = {"书名：无题"};
    for (int i = 0; i < 30; ++i)
        lines.push_back("　　只有正文，没有标题，第" + std::to_string(i) + "段。");
    const auto book = writeNovel(lines, "plain.txt");
    analyse(book);
    ASSERT_EQ(list().ItemCount(), 0);
    window->txtSplitSize()->setText(QStringLiteral("100"));
    services.messageBox().Clear();
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_TRUE(services.messageBox().Calls()[0].text.starts_with(u"处理完毕"))
        << QString::fromStdU16String(services.messageBox().Calls()[0].text).toStdString();
    const std::vector<std::string> files = test::ListFiles(dir.path() / "plain");
    ASSERT_GT(files.size(), 3u) << "about 20 characters a line, 100 a part";
    // Every line once, in order, across the parts.
    std::string joined;
    for (const std::string& file : files)
        joined += test::ReadBytes(dir.path() / "plain" / file);
    std::string expected;
    for (const std::string& line : lines)
        expected += test::ToGbk(line) + "\r\n";
    EXPECT_EQ(joined, expected);
}

TEST_F(SayWhy, WithNoBookTheCommandsThatNeedOneSaySo) {
    EXPECT_FALSE(window->cmdCheckFlagged()->isEnabled());
    EXPECT_EQ(window->cmdCheckFlagged()->toolTip(), QStringLiteral("请先选择源文件"));
    for (QPushButton* button : {window->cmdAnalyze(), window->cmdSaveOut()}) {
        SCOPED_TRACE(button->text().toStdString());
        services.messageBox().Clear();
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_EQ(services.messageBox().Calls().size(), 1u);
        EXPECT_EQ(services.messageBox().Calls()[0].text, u"请先选择源文件");
    }
    // A book named but not yet read: 输出 asks for the analysis first.
    window->txtFile()->setPlainText(
        QString::fromStdString(writeNovel(Chapters({"第一章 起"})).string()));
    services.messageBox().Clear();
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text, u"请先按“分析”读取源文件。");
    EXPECT_TRUE(test::ListFiles(dir.path()).size() == 1u) << "only the book itself";
}

TEST_F(SayWhy, AMissingOrFolderDropIsSaidAndTheListKeepsItsBook) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    const auto book = writeNovel(Chapters({"第一章 起", "第二章 承"}), "青灯.txt");
    EXPECT_EQ(window->lblBook()->text(), QStringLiteral("章节列表：（未打开）"));
    analyse(book);
    ASSERT_EQ(list().ItemCount(), 2);
    EXPECT_EQ(window->lblBook()->text(), QStringLiteral("章节列表：青灯.txt"));
    const QString shownPath = window->txtFile()->toPlainText();

    std::filesystem::create_directory(dir.path() / "书库");
    const struct {
        const char* name;
        std::filesystem::path dropped;
        std::u16string said;
    } cases[] = {
        {"missing file", dir.path() / "没有.txt", u"无此文件!"},
        {"folder", dir.path() / "书库", u"一次只打开一本书：请拖入一个文本文件，而不是文件夹。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        services.messageBox().Clear();
        DataObject dropped({c.dropped.u16string()});
        std::int32_t effect = 1;
        std::int16_t button = 1, shift = 0;
        float x = 0, y = 0;
        window->OLEDragDrop(dropped, effect, button, shift, x, y);
        ASSERT_EQ(services.messageBox().Calls().size(), 1u);
        EXPECT_EQ(services.messageBox().Calls()[0].text, c.said);
        EXPECT_EQ(list().ItemCount(), 2);
        EXPECT_EQ(window->txtFile()->toPlainText(), shownPath);
        EXPECT_EQ(window->lblBook()->text(), QStringLiteral("章节列表：青灯.txt"));
    }

    // A path put in the box that names no file is said at once too; the caption
    // still names the book the list shows.
    services.messageBox().Clear();
    analyse(dir.path() / "没有.txt");
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text, u"无此文件!");
    EXPECT_EQ(list().ItemCount(), 2);
    EXPECT_EQ(window->lblBook()->text(), QStringLiteral("章节列表：青灯.txt"));
    EXPECT_EQ(window->lblBook()->toolTip(), QString::fromStdString(book.string()));
}

TEST_F(SayWhy, AFirstRunStartsOnTheAutomaticChoiceAndASavedChoiceIsKept) {
    EXPECT_EQ(window->cboRule()->currentText(), QStringLiteral("自动"));
    Choose(window->cboRule(), QStringLiteral("自定义条件"));
    window->close();
    window = std::make_unique<frmTessel>();
    EXPECT_EQ(window->cboRule()->currentText(), QStringLiteral("自定义条件"));
}

} // namespace
} // namespace lumarin::app
