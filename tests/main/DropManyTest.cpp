// SPDX-License-Identifier: MIT
// Several books dropped at once: the window opens the first and says how many it left out.
#include "MainWindowFixture.h"

#include <QLabel>

namespace lumarin::app {
namespace {

using DropMany = test::MainWindowFixture;

const QString kLeftOutTwo = QStringLiteral("另有2本未打开；多本请用命令行 lumarin-split");

void DropOnList(frmTessel& window, std::vector<std::u16string> files) {
    platform::DataObject dropped(std::move(files));
    std::int32_t effect = 1;
    std::int16_t button = 1, shift = 0;
    float x = 0, y = 0;
    window.OLEDragDrop(dropped, effect, button, shift, x, y);
}

TEST_F(DropMany, SeveralFilesOpenTheFirstBookAndSayTheRest) {
    useOwnCondition(); // one-chapter books: no built-in rule claims them
    const auto first = writeNovel({"第一章 甲", "正文"}, "first.txt");
    const auto second = writeNovel({"第一章 乙"}, "second.TXT");
    const auto third = writeNovel({"第一章 丙"}, "third.txt");
    DropOnList(*window, {(dir.path() / "cover.jpg").u16string(), first.u16string(),
                         second.u16string(), third.u16string()});

    EXPECT_EQ(window->txtFile()->toPlainText().toStdString(), first.string());
    EXPECT_EQ(list().ItemCount(), 1);
    EXPECT_EQ(window->lblState()->text(), kLeftOutTwo);
    list().Refresh(); // a repaint keeps the note
    EXPECT_EQ(window->lblState()->text(), kLeftOutTwo);

    DropOnList(*window, {second.u16string()}); // one book: the note goes
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("准备就绪"));
    EXPECT_TRUE(services.messageBox().Calls().empty());
}

TEST_F(DropMany, AFolderOpensItsFirstBookByName) {
    useOwnCondition();
    std::filesystem::create_directories(dir.path() / "shelf" / "deeper");
    writeNovel({"第一章 乙"}, "shelf/b.txt");
    const auto a = writeNovel({"第一章 甲"}, "shelf/A.TXT");
    writeNovel({"第一章 丙"}, "shelf/c.txt");
    writeNovel({"第一章 丁"}, "shelf/deeper/d.txt"); // sub-folders are not taken
    writeNovel({"第一章 戊"}, "shelf/notes.md");
    DropOnList(*window, {(dir.path() / "shelf").u16string()});

    EXPECT_EQ(window->txtFile()->toPlainText().toStdString(), a.string());
    EXPECT_EQ(window->lblState()->text(), kLeftOutTwo);
}

} // namespace
} // namespace lumarin::app
