// SPDX-License-Identifier: MIT
// Volumes in the window: each row names its volume, the preview shows the volume line, and the
// output follows "按卷分文件夹" and "按字数分割".
#include "MainWindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QAction>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTest>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> TwoVolumes() {
    std::vector<std::string> lines{"书名"};
    for (const char* volume : {"第一卷 风起", "第二卷 云涌"}) {
        lines.push_back(volume);
        lines.push_back("　　卷首语");
        for (const char* chapter : {"第一章 开始", "第二章 继续"}) {
            lines.push_back(chapter);
            lines.resize(lines.size() + 10, "　　正文正文正文正文正文正文正文正文。");
        }
    }
    return lines;
}

class VolumeWindow : public test::MainWindowFixture {};

TEST_F(VolumeWindow, RowsNameTheirVolumeAndThePreviewShowsItsLine) {
    analyse(writeNovel(TwoVolumes()));
    ASSERT_EQ(list().ItemCount(), 4);
    EXPECT_EQ(column(3),
              (std::vector<QString>{"第一卷 风起", "第一卷 风起", "第二卷 云涌", "第二卷 云涌"}));
    click(rowPoint(2, 200));
    EXPECT_TRUE(window->txtPreview()->toPlainText().startsWith(QStringLiteral("第二卷 云涌\n")))
        << window->txtPreview()->toPlainText().toStdString();
}

TEST_F(VolumeWindow, VolumeFoldersAndPartsBySize) {
    const fs::path source = writeNovel(TwoVolumes());
    analyse(source);
    window->chkVolumeFolders()->setChecked(true);
    window->txtSplitSize()->setText(QStringLiteral("120"));
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    EXPECT_EQ(test::ListFiles(dir / "novel"),
              (std::vector<std::string>{
                  "000-0(Index).txt", "01-第一卷 风起/001-1开始（1）.txt",
                  "01-第一卷 风起/002-1开始（2）.txt", "01-第一卷 风起/003-2继续（1）.txt",
                  "01-第一卷 风起/004-2继续（2）.txt", "02-第二卷 云涌/005-1开始（1）.txt",
                  "02-第二卷 云涌/006-1开始（2）.txt", "02-第二卷 云涌/007-2继续（1）.txt",
                  "02-第二卷 云涌/008-2继续（2）.txt"}));
}

// Two volumes whose lines no rule takes for volumes ("外篇").
std::vector<std::string> UnmarkedVolumes() {
    std::vector<std::string> lines{"书名"};
    for (const char* volume : {"内篇 风起", "外篇 云涌"}) {
        lines.push_back(volume);
        for (const char* chapter : {"第一章 开始", "第二章 继续"}) {
            lines.push_back(chapter);
            lines.resize(lines.size() + 10, "　　正文正文正文正文正文正文正文正文。");
        }
    }
    return lines; // 外篇 云涌 is line 25
}

TEST_F(VolumeWindow, ALineMarkedFromThePreviewOpensAVolumeThatUndoesAndIsKept) {
    useOwnCondition();
    const fs::path source = writeNovel(UnmarkedVolumes());
    analyse(source);
    ASSERT_EQ(list().ItemCount(), 4);
    ASSERT_EQ(column(3), std::vector<QString>(4, QString()));
    // The second row's preview runs on to the line before the third row: 外篇 云涌 is its last.
    click(rowPoint(1, 200));
    const QTextDocument* preview = window->txtPreview()->document();
    const int last = preview->blockCount() - 2;
    ASSERT_EQ(preview->findBlockByNumber(last).text(), QStringLiteral("外篇 云涌"));
    window->txtPreview()->setTextCursor(QTextCursor(preview->findBlockByNumber(last)));
    ASSERT_TRUE(window->mnuVolumeHere()->isEnabled());
    window->mnuVolumeHere()->trigger();
    const std::vector<QString> marked{"", "", "外篇 云涌", "外篇 云涌"};
    EXPECT_EQ(column(3), marked);

    window->mnuUndo()->trigger();
    EXPECT_EQ(column(3), std::vector<QString>(4, QString()));
    window->mnuRedo()->trigger();
    EXPECT_EQ(column(3), marked);

    // Its line opens the volume's folder and first file.
    window->chkVolumeFolders()->setChecked(true);
    services.messageBox().SetDefaultAnswer(platform::IDYES);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const std::vector<std::string> files = test::ListFiles(dir / "novel");
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[3], "01-外篇 云涌/003-1开始.txt");
    EXPECT_TRUE(test::ReadBytes(dir / "novel" / files[3]).starts_with(test::ToGbk("外篇 云涌\r\n")));

    // Kept with the review: the same book opened again has it.
    window.reset();
    window = std::make_unique<frmTessel>();
    window->show();
    useOwnCondition();
    analyse(source);
    EXPECT_EQ(column(3), marked);
}

} // namespace
} // namespace lumarin::app
