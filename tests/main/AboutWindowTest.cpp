// SPDX-License-Identifier: MIT
#include "main/AboutText.h"
#include "main/ProductInfo.h"
#include "main/frmAbout.h"
#include "platform/testing/ScopedTestServices.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

QString qs(const char16_t* text) {
    return QString::fromStdU16String(text);
}

TEST(AboutWindow, ShowsTheCaptionAndTheSixtyNineLineMemo) {
    platform::testing::ScopedTestServices services;
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("关于 ") + qs(kProductCaption));
    EXPECT_EQ(about.lbl(0)->text(), qs(kProductCaption));
    EXPECT_EQ(about.cmdCopy()->text(), QStringLiteral("复制到剪贴板(&P)"));
    EXPECT_EQ(about.cmdOK()->text(), QStringLiteral("关闭(&C)"));

    const QStringList lines = about.txtMemo()->toPlainText().split(QLatin1Char('\n'));
    // 69 lines, and the box shows an empty line after the last CR LF.
    ASSERT_EQ(lines.size(), 70);
    EXPECT_EQ(lines[0], QStringLiteral("Lumarin v2.0 Beta0618"));
    EXPECT_EQ(lines[1], QString(33, QLatin1Char('=')));
    EXPECT_EQ(lines[3], QStringLiteral("　　一个把文本小说按照自定义条件切割成章节的软件，"));
    EXPECT_EQ(lines[23], QStringLiteral("“C:\\小说.txt”，那么输出目录就是“C:\\小说\\”）"));
    EXPECT_EQ(lines[37], QStringLiteral("更新日志"));
    EXPECT_TRUE(lines[40].contains(QStringLiteral("v2.0 Beta0618"))) << "newest entry first";
    EXPECT_TRUE(lines[68].size() > 0) << "the last entry has no empty line after it";
}

TEST(AboutWindow, CopiesTheMemoWithCrLfAndKeepsTheFocusInIt) {
    platform::testing::ScopedTestServices services;
    frmAbout about;
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.cmdCopy(), Qt::LeftButton);

    const std::u16string copied = services.clipboard().GetText();
    EXPECT_EQ(copied, AboutMemoText());
    EXPECT_EQ(services.clipboard().ClearCount(), 1);
    std::size_t lines = 0;
    for (std::size_t at = copied.find(u"\r\n"); at != std::u16string::npos;
         at = copied.find(u"\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 69u);
    EXPECT_EQ(copied.substr(copied.size() - 2), u"\r\n");
    EXPECT_EQ(QApplication::focusWidget(), about.txtMemo());
}

TEST(AboutWindow, OnlyTheWebLineOpensAnAddress) {
    platform::testing::ScopedTestServices services;
    frmAbout about;
    for (int index : {0, 2, 3})
        QTest::mouseClick(about.lbl(index), Qt::LeftButton);
    EXPECT_TRUE(services.shell().OpenedUrls().empty());

    QTest::mouseClick(about.lbl(1), Qt::LeftButton);
    ASSERT_EQ(services.shell().OpenedUrls().size(), 1u);
    EXPECT_EQ(services.shell().OpenedUrls()[0], frmAbout::kWebAddress);
}

} // namespace
} // namespace lumarin::app
