// SPDX-License-Identifier: MIT
// "清理广告" in the window: the output leaves out the site's and the pages' lines and says how
// many went, and "删除的行" shows each of them with its line number and reason.
#include "MainWindowFixture.h"

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAd = "更多精彩请访问 www.example.com";
constexpr const char* kMention = "　　他说这个网址他早就记住了。";

// Three chapters, an advertisement in the first, a story line that mentions a web address in
// the second, a page marker closing each.
std::vector<std::string> BookWithLeftovers() {
    std::vector<std::string> lines{"书名"};
    int page = 0;
    for (const char* chapter : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(chapter);
        if (page == 0) lines.push_back(kAd);
        if (page == 1) lines.push_back(kMention);
        for (int i = 1; i <= 20; ++i)
            lines.push_back("　　这是" + std::to_string(page) + "里的" + std::to_string(i) + "段。");
        lines.push_back("-- " + std::to_string(++page) + " --");
    }
    return lines;
}

class CleanupWindow : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        useOwnCondition();
        analyse(writeNovel(BookWithLeftovers()));
        ASSERT_EQ(list().ItemCount(), 3);
        window->chkClean()->setChecked(true);
    }
};

TEST_F(CleanupWindow, OutputLeavesTheLinesOutAndSaysHowManyWent) {
    services.messageBox().Clear();
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const auto& calls = services.messageBox().Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_NE(calls.back().text.find(u"\n已删除4行"), std::u16string::npos)
        << QString::fromStdU16String(calls.back().text).toStdString();

    std::string written;
    for (const std::string& file : test::ListFiles(dir / "novel"))
        written += test::ReadBytes(dir / "novel" / file);
    EXPECT_EQ(written.find(test::ToGbk(kAd)), std::string::npos);
    EXPECT_EQ(written.find("-- 2 --"), std::string::npos);
    EXPECT_NE(written.find(test::ToGbk(kMention)), std::string::npos)
        << "a story line went with the ads";
}

// The text of the removed-lines window opened by a click on 删除的行.
QString RemovedLinesShown(frmTessel& window) {
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        shown = dialog->findChild<QPlainTextEdit*>(QStringLiteral("removedLines"))->toPlainText();
        dialog->reject();
    });
    QTest::mouseClick(window.cmdRemoved(), Qt::LeftButton);
    return shown;
}

TEST_F(CleanupWindow, RemovedLinesAreShownWithLineAndReason) {
    EXPECT_EQ(RemovedLinesShown(*window), QStringLiteral("3\t广告\t%1\n24\t页码\t-- 1 --\n"
                                    "47\t页码\t-- 2 --\n69\t页码\t-- 3 --\n")
                         .arg(QString::fromUtf8(kAd)));
    EXPECT_EQ(window->cmdRemoved()->text(), QStringLiteral("删除的行(4)"));
}

TEST_F(CleanupWindow, TheCountIsTheBookShownsAndFollowsTheOption) {
    EXPECT_EQ(window->cmdRemoved()->text(), QStringLiteral("删除的行(4)")) << "counted, not clicked";
    std::vector<std::string> clean{"书名"};
    for (const char* chapter : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        clean.push_back(chapter);
        clean.insert(clean.end(), 12, "　　这是正文。");
    }
    analyse(writeNovel(clean, "clean.txt"));
    EXPECT_EQ(window->cmdRemoved()->text(), QStringLiteral("删除的行(0)"));
    EXPECT_EQ(RemovedLinesShown(*window), QStringLiteral("“清理广告”在这本书里没有要删除的行。"));
    window->chkClean()->setChecked(false);
    EXPECT_EQ(window->cmdRemoved()->text(), QStringLiteral("删除的行"));
    analyse(dir / "novel.txt");
    window->chkClean()->setChecked(true);
    EXPECT_EQ(window->cmdRemoved()->text(), QStringLiteral("删除的行(4)"));
}

TEST_F(CleanupWindow, ACoverBelongsToItsBookAndCanBeRemoved) {
    window->cboFormat()->setCurrentIndex(window->cboFormat()->findText(QStringLiteral("EPUB")));
    const auto chooseCover = [&] {
        services.fileDialogs().ScriptOpenFile((dir / "cover.png").u16string());
        QTest::mouseClick(window->cmdCover(), Qt::LeftButton);
        ASSERT_EQ(window->cmdCover()->text(), QStringLiteral("封面✓"));
        ASSERT_NE(window->mnuNoCover(), nullptr);
    };
    const auto noCover = [&] {
        EXPECT_EQ(window->cmdCover()->text(), QStringLiteral("封面…"));
        EXPECT_TRUE(window->cmdCover()->toolTip().isEmpty());
        EXPECT_EQ(window->mnuNoCover(), nullptr);
    };
    chooseCover();
    analyse(dir / "novel.txt");
    EXPECT_EQ(window->cmdCover()->text(), QStringLiteral("封面✓")) << "the same book keeps it";
    analyse(writeNovel(BookWithLeftovers(), "other.txt"));
    noCover();

    chooseCover();
    window->mnuNoCover()->trigger();
    noCover();
    // The book is written without one.
    services.messageBox().SetDefaultAnswer(platform::IDYES);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    EXPECT_TRUE(fs::exists(dir / "other.epub"));
}

} // namespace
} // namespace lumarin::app
