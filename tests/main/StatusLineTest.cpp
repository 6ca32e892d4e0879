// SPDX-License-Identifier: MIT
// After an output the status line says what this run wrote and where, with a
// link to that folder; another book clears it; a narrow window shortens only
// the middle of the path, the tool tip keeping the whole text.
#include "MainWindowFixture.h"

#include <QComboBox>
#include <QLabel>

namespace lumarin::app {
namespace {

using StatusLine = test::MainWindowFixture;

QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

TEST_F(StatusLine, NamesWhereThisRunWroteAndOpensThatFolder) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    const auto book = writeNovel(test::TwoChapters(), "青灯.txt");
    EXPECT_FALSE(window->cmdOpenOut()->isVisible()) << "nothing written yet";
    analyse(book);
    const struct {
        const char* name;
        int format; // 0 text files, 1 EPUB
        QString message;
        QString link;
        std::filesystem::path opens;
    } cases[] = {
        {"text files", 0, QStringLiteral("处理完毕！共3个文件，已写入 ") + Q(dir.path() / "青灯"),
         QStringLiteral("打开输出文件夹"), dir.path() / "青灯"},
        {"EPUB", 1, QStringLiteral("处理完毕！共2章，已写入 ") + Q(dir.path() / "青灯.epub"),
         QStringLiteral("打开所在文件夹"), dir.path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->cboFormat()->setCurrentIndex(c.format);
        QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
        EXPECT_EQ(window->lblState()->text(), c.message) << "the whole message, there is room";
        EXPECT_TRUE(window->cmdOpenOut()->isVisible());
        EXPECT_EQ(window->cmdOpenOut()->text(), c.link);
        const std::size_t before = services.shell().OpenedFolders().size();
        QTest::mouseClick(window->cmdOpenOut(), Qt::LeftButton);
        ASSERT_EQ(services.shell().OpenedFolders().size(), before + 1);
        EXPECT_EQ(services.shell().OpenedFolders().back(), c.opens.u16string());
    }

    // Repainting the list (a click on a row) leaves the message alone.
    click(rowPoint(0, 200));
    list().Refresh();
    EXPECT_TRUE(window->lblState()->text().startsWith(QStringLiteral("处理完毕！")));

    // Another book: what was written belongs to the last one.
    analyse(writeNovel(test::TwoChapters(), "别的.txt"));
    EXPECT_FALSE(window->cmdOpenOut()->isVisible());
    EXPECT_FALSE(window->lblState()->text().contains(QStringLiteral("处理完毕")));
    const std::size_t opened = services.shell().OpenedFolders().size();
    window->cmdOpenOut_Click();
    EXPECT_EQ(services.shell().OpenedFolders().size(), opened) << "no folder of another book";
}

TEST_F(StatusLine, ANarrowWindowShortensThePathInItsMiddle) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    const auto deep = dir.path() / "一个很长的文件夹名字用来试一试状态栏能不能放下" /
                      "第二层也是很长很长的文件夹名字" / "第三层的名字同样很长很长很长很长";
    std::filesystem::create_directories(deep);
    const auto book = deep / "青灯.txt";
    test::WriteGbkLines(book, test::TwoChapters());
    window->resize(2400, window->height());
    analyse(book);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const QString whole = QStringLiteral("处理完毕！共3个文件，已写入 ") + Q(deep / "青灯");
    ASSERT_EQ(window->lblState()->text(), whole);

    window->resize(window->minimumSize());
    QApplication::processEvents();
    const QString shown = window->lblState()->text();
    EXPECT_NE(shown, whole) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("处理完毕！共3个文件，已写入 /")))
        << "the words stay whole";
    EXPECT_TRUE(shown.endsWith(QStringLiteral("青灯"))) << "so does the book's own folder";
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
    EXPECT_LE(window->lblState()->fontMetrics().horizontalAdvance(shown),
              window->lblState()->contentsRect().width());
    EXPECT_EQ(window->lblState()->toolTip(), whole);

    window->resize(2000, window->height());
    QApplication::processEvents();
    EXPECT_EQ(window->lblState()->text(), whole);
}

} // namespace
} // namespace lumarin::app
