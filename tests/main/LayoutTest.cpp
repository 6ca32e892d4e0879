// SPDX-License-Identifier: MIT
// The window's layout and look: it never resizes itself, its inputs keep one
// width, growing gives the room to the list (标题 and 预览 alike) and the
// preview, the preview wraps, doubted rows stand apart from checked, selected
// and plain rows, and the legend shows those colours.
#include "ColourDifference.h"
#include "MainWindowFixture.h"
#include "platform/Window.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

namespace lumarin::app {
namespace {

using Layout = test::MainWindowFixture;

// `chapters` 第N回 chapters twelve lines apart, each followed by `misses` near misses.
std::vector<std::string> Book(int chapters, int misses, const std::string& line = "　　正文。") {
    std::vector<std::string> lines = {"书名：水边"};
    const char* numerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    for (int k = 0; k < chapters; ++k) {
        lines.push_back(std::string("第") + numerals[k % 10] + "回 标题");
        for (int i = 0; i < 11; ++i)
            lines.push_back(i < misses ? std::string("第") + numerals[i % 10] + "囘 错" : line);
    }
    return lines;
}

TEST(ColourDifference, MatchesPublishedCiede2000Pairs) {
    const struct {
        test::Lab one, two;
        double expected;
    } pairs[] = {
        {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5, 0}, {61, -5, 29}, 22.8977},
        {{50, 2.5, 0}, {56, -27, -3}, 31.9030},
        {{50, 2.5, 0}, {58, 24, 15}, 19.4535},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
    };
    for (const auto& p : pairs) {
        EXPECT_NEAR(test::DeltaE2000(p.one, p.two), p.expected, 1e-4);
        EXPECT_NEAR(test::DeltaE2000(p.two, p.one), p.expected, 1e-4);
    }
}

TEST_F(Layout, DoubtedRowsStandApartFromCheckedSelectedAndPlainRows) {
    // 一 二 三 五 (a gap before 五): row 3 is doubted.
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第五回 合", "第六回 终"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　正文。");
    }
    analyse(writeNovel(lines));
    ASSERT_EQ(list().ItemCount(), 5);
    std::int32_t back = 0, fore = 0;
    const auto backOf = [&](std::int32_t row) {
        window->CustomDraw(row, 1, back, fore);
        return back;
    };
    const std::int32_t doubted = backOf(3);
    const std::int32_t plain = backOf(0);
    list().ItemChecked(0, true);
    const std::int32_t checked = backOf(0);
    list().ItemChecked(0, false);
    click(rowPoint(1, 200));
    const std::int32_t selected = backOf(1);
    const struct {
        const char* name;
        std::int32_t other;
    } others[] = {{"checked", checked}, {"selected", selected}, {"plain", plain}};
    for (const auto& o : others)
        EXPECT_GE(test::DeltaE2000(test::LabOfOle(doubted), test::LabOfOle(o.other)), 20.0)
            << "doubted against " << o.name;
}

TEST_F(Layout, TheWindowNeverResizesItselfAndTheInputsKeepOneWidth) {
    const QSize size = window->size();
    const int inputs = window->leftColumn()->width();
    const struct {
        const char* name;
        std::vector<std::string> lines;
    } books[] = {
        {"few chapters", Book(4, 0)},
        {"many near misses", Book(60, 10)},
        {"long lines", Book(5, 0, std::string(600, 'x'))},
    };
    for (const auto& b : books) {
        SCOPED_TRACE(b.name);
        analyse(writeNovel(b.lines, (std::string(b.name) + ".txt").c_str()));
        click(rowPoint(0, 200));
        QApplication::processEvents();
        EXPECT_EQ(window->size(), size);
        EXPECT_EQ(window->leftColumn()->width(), inputs);
    }
}

TEST_F(Layout, GrowingGivesTheRoomToTheListAndThePreviewAndThePreviewWraps) {
    analyse(writeNovel(Book(5, 0, std::string(400, 'x'))));
    click(rowPoint(0, 200));
    QApplication::processEvents();
    const int inputs = window->leftColumn()->width();
    const int filters = window->txtReplace()->height();
    const QSize list = window->lstMemoHost()->size();
    const QSize preview = window->txtPreview()->size();
    EXPECT_EQ(window->txtPreview()->horizontalScrollBar()->maximum(), 0) << "long lines wrap";

    window->resize(window->size() + QSize(600, 300));
    QApplication::processEvents();
    EXPECT_EQ(window->leftColumn()->width(), inputs);
    EXPECT_EQ(window->txtReplace()->height(), filters) << "no empty boxes grow";
    EXPECT_EQ(window->lstMemoHost()->width() - list.width(), 600);
    EXPECT_EQ(window->txtPreview()->width() - preview.width(), 600);
    EXPECT_EQ(window->lstMemoHost()->height() - list.height() +
                  (window->txtPreview()->height() - preview.height()),
              300);
}

// 标题 and 预览 share the list: growing the window widens both in their
// proportion, and a divider dragged in the header stays where it was put.
TEST_F(Layout, TitleAndPreviewShareTheListAndADraggedDividerStays) {
    analyse(writeNovel(Book(5, 0)));
    const auto width = [this](std::int32_t c) {
        return list().ColumnWidth(listview::PositionOrKey(c));
    };
    const auto columnsEndAtTheRightEdge = [this, &width] {
        platform::RECT client;
        platform::GetClientRect(list().hWnd(), &client);
        std::int32_t sum = 0;
        for (std::int32_t c = 0; c < list().ColumnCount(); ++c)
            sum += width(c);
        EXPECT_EQ(sum, client.right);
    };
    const auto grow = [this](int dx) {
        window->resize(window->size() + QSize(dx, 0));
        QApplication::processEvents();
    };

    const auto titleShare = [&width] {
        return static_cast<double>(width(1)) / (width(1) + width(2));
    };
    const std::int32_t title = width(1), preview = width(2);
    grow(500);
    EXPECT_GT(width(1), title + 150) << "标题 widens too";
    EXPECT_GT(width(2), preview + 100);
    columnsEndAtTheRightEdge();
    const double grown = titleShare();
    grow(200);
    EXPECT_NEAR(titleShare(), grown, 0.01) << "in one proportion";

    // The divider right of 标题, dragged 60 pixels to the right.
    const int divider = width(0) + width(1);
    const auto mouse = [this](platform::UINT message, platform::WPARAM keys, int x) {
        platform::SendMessage(list().hWnd(), message, keys,
                              platform::MAKELPARAM(static_cast<platform::WORD>(x), 4));
    };
    const std::int32_t before = width(1), previewBefore = width(2);
    mouse(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON, divider);
    mouse(platform::WM_MOUSEMOVE, platform::MK_LBUTTON, divider + 60);
    mouse(platform::WM_LBUTTONUP, 0, divider + 60);
    QApplication::processEvents();
    EXPECT_EQ(width(1), before + 60);
    EXPECT_EQ(width(2), previewBefore - 60) << "预览 gives up the room";
    columnsEndAtTheRightEdge();

    // Shrinking keeps the new proportion.
    const double share = titleShare();
    grow(-300);
    EXPECT_NEAR(titleShare(), share, 0.01);
    columnsEndAtTheRightEdge();
}

// The legend under the list shows its words in the colours the list draws rows in.
TEST_F(Layout, TheLegendShowsTheRowColoursItExplains) {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第五回 合", "第六回 终"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　正文。");
    }
    analyse(writeNovel(lines));
    ASSERT_TRUE(window->lblLegend()->isVisible());
    const QString legend = window->lblLegend()->text();
    const auto colourOf = [this](std::int32_t row) {
        std::int32_t back = 0, fore = 0;
        window->CustomDraw(row, 1, back, fore);
        const auto rgb = [](std::int32_t ole) {
            return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF).name();
        };
        return QStringLiteral("background-color:%1; color:%2").arg(rgb(back), rgb(fore));
    };
    list().ItemChecked(0, true);
    const QString checked = colourOf(0);
    const QString doubted = colourOf(3);
    click(rowPoint(1, 200));
    const struct {
        const char* word;
        QString colours;
    } keys[] = {{"打勾", checked}, {"可疑", doubted}, {"选中", colourOf(1)}};
    for (const auto& k : keys) {
        const qsizetype at = legend.indexOf(QString::fromUtf8(k.word));
        ASSERT_GE(at, 0) << k.word;
        const qsizetype style = legend.lastIndexOf(QStringLiteral("background-color:"), at);
        ASSERT_GE(style, 0) << k.word;
        EXPECT_EQ(legend.mid(style, k.colours.size()), k.colours) << k.word;
    }
    EXPECT_TRUE(legend.contains(QStringLiteral("不作分割点")));
}

} // namespace
} // namespace lumarin::app
