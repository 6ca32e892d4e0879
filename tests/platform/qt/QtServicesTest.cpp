// SPDX-License-Identifier: MIT
// The real services and the desktop settings the host feeds into the core.

#include "platform/qt/QtServices.h"

#include "platform/Services.h"
#include "platform/Window.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtEventLog.h"
#include "platform/qt/QtShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPalette>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace lumarin::platform::qt {
namespace {

COLORREF ToColorRef(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

class QtServicesTest : public ::testing::Test {
protected:
    ~QtServicesTest() override {
        InstallServices(m_saved);
        QApplication::setPalette(m_palette);
        ResetSystemSettings();
    }

private:
    Services m_saved = CurrentServices();
    QPalette m_palette = QApplication::palette();
};

TEST_F(QtServicesTest, SystemColoursAndWheelLinesComeFromTheDesktop) {
    QApplication::setWheelScrollLines(5);
    InstallQtServices();
    const QPalette palette = QApplication::palette();
    const std::pair<int, QPalette::ColorRole> cases[] = {
        {COLOR_WINDOW, QPalette::Base},         {COLOR_WINDOWTEXT, QPalette::Text},
        {COLOR_HIGHLIGHT, QPalette::Highlight}, {COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText},
        {COLOR_BTNFACE, QPalette::Button},      {COLOR_BTNTEXT, QPalette::ButtonText},
    };
    for (const auto& [index, role] : cases)
        EXPECT_EQ(GetSysColor(index), ToColorRef(palette.color(QPalette::Active, role))) << index;
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 5u);
    QApplication::setWheelScrollLines(3);

    // A palette change while the program runs is followed.
    QPalette changed = palette;
    changed.setColor(QPalette::Highlight, QColor(10, 120, 30));
    QApplication::setPalette(changed);
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 120, 30));
}

TEST_F(QtServicesTest, ClipboardRoundTripsUnicodeText) {
    QtClipboard clipboard;
    clipboard.SetText(u"第一章 开端");
    EXPECT_EQ(clipboard.GetText(), u"第一章 开端");
    clipboard.Clear();
    EXPECT_EQ(clipboard.GetText(), u"");
}

TEST_F(QtServicesTest, OnlyWebAddressesAreOpened) {
    QtShell shell;
    for (const std::u16string url :
         {u"file:///etc/passwd", u"not a url", u"", u"javascript:alert(1)"})
        EXPECT_FALSE(shell.OpenUrl(url));
}

// Stands in for the desktop's file manager: records what it was handed.
class FileUrlRecorder final : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl& url) { urls.push_back(url); }
    std::vector<QUrl> urls;
};

TEST_F(QtServicesTest, OnlyExistingFoldersGoToTheFileManager) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("输出"));
    const QString file = dir.filePath(QStringLiteral("novel.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QFile touch(file);
    ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
    touch.close();

    FileUrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    QtShell shell;
    struct Case {
        QString path;
        bool opens;
    };
    for (const Case& c : {Case{folder, true}, Case{folder + QStringLiteral("/"), true},
                          Case{file, false}, Case{dir.filePath(QStringLiteral("gone")), false},
                          Case{QStringLiteral("输出"), false}, Case{QString(), false}}) {
        recorder.urls.clear();
        EXPECT_EQ(shell.OpenFolder(c.path.toStdU16String()), c.opens) << c.path.toStdString();
        ASSERT_EQ(recorder.urls.size(), c.opens ? 1u : 0u) << c.path.toStdString();
        if (c.opens) {
            EXPECT_EQ(recorder.urls[0], QUrl::fromLocalFile(folder));
        }
    }
    EXPECT_FALSE(shell.OpenUrl(QUrl::fromLocalFile(folder).toString().toStdU16String()))
        << "web addresses stay web addresses";
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

TEST_F(QtServicesTest, ErrorEntriesGoToStandardError) {
    QtEventLog log;
    ::testing::internal::CaptureStderr();
    log.LogError(u"写入失败: /tmp/x");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "lumarin: 写入失败: /tmp/x\n");
}

} // namespace
} // namespace lumarin::platform::qt

#include "QtServicesTest.moc"
