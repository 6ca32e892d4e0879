// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"

#include <QFontDatabase>
#include <QStringList>
#include <climits>
#include <gtest/gtest.h>

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;
using testing::SelectedObject;

constexpr UINT kCellLeft = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kCellCentre = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kCellRight = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

LOGFONT Font(LONG height, LONG weight = FW_NORMAL) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = GB2312_CHARSET;
    return lf;
}

HFONT MakeFont(LONG height, LONG weight = FW_NORMAL) {
    LOGFONT lf = Font(height, weight);
    return CreateFontIndirect(&lf);
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(Text, EllipsisKeepsLongTextInsideItsRectangle) {
    const std::u16string texts[] = {u"A heading far too long for its little cell",
                                    u"第一千二百三十四章 青灯照壁人初睡",
                                    u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"};
    for (UINT format : {kCellLeft, kCellCentre, kCellRight}) {
        for (const auto& text : texts) {
            MemoryCanvas canvas(80, 30);
            SelectedObject font(canvas.dc(), MakeFont(-13));
            SetBkMode(canvas.dc(), TRANSPARENT);
            RECT r{10, 5, 60, 25};
            EXPECT_GT(DrawText(canvas.dc(), text, &r, format), 0);
            RECT ink = canvas.inkBounds();
            EXPECT_GT(ink.right, ink.left) << "something is drawn";
            EXPECT_TRUE(Inside(ink, r)) << format << ": ink " << ink.left << ".." << ink.right;
        }
    }
}

TEST(Text, WithoutEllipsisLongTextIsCutAtTheRectangle) {
    MemoryCanvas canvas(80, 30);
    SelectedObject font(canvas.dc(), MakeFont(-13));
    RECT r{10, 5, 40, 25};
    DrawText(canvas.dc(), u"A heading far too long for its cell", &r, DT_LEFT | DT_SINGLELINE);
    EXPECT_TRUE(Inside(canvas.inkBounds(), r));
    EXPECT_EQ(canvas.inkBounds().right, 40) << "cut, so the ink runs to the edge";
}

TEST(Text, ChineseRendersThroughFontFallback) {
    // Distinct characters give distinct ink; missing glyphs would all be the same box.
    const std::u16string characters[] = {u"一", u"灯", u"章", u"龍"};
    std::vector<std::vector<std::uint32_t>> seen;
    for (const auto& character : characters) {
        MemoryCanvas canvas(24, 24);
        LOGFONT lf = Font(-16);
        lf.lfFaceName = u"DejaVu Sans"; // a Latin face: Han comes from the fallback
        SelectedObject font(canvas.dc(), CreateFontIndirect(&lf));
        RECT r{0, 0, 24, 24};
        DrawText(canvas.dc(), character, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EXPECT_GT(canvas.inked().size(), 4u);
        for (const auto& other : seen)
            EXPECT_NE(canvas.buffer().pixels, other);
        seen.push_back(canvas.buffer().pixels);
    }
}

// 直 and 骨 are drawn differently in mainland and Japanese type.
TEST(Text, GB2312FontsTakeMainlandHanShapes) {
    if (!QFontDatabase::families().contains(QStringLiteral("Noto Sans CJK SC")))
        GTEST_SKIP() << "needs fonts-noto-cjk";
    auto render = [](BYTE charset, const std::u16string& face) {
        MemoryCanvas canvas(40, 24);
        LOGFONT lf = Font(-20);
        lf.lfCharSet = charset;
        lf.lfFaceName = face;
        SelectedObject font(canvas.dc(), CreateFontIndirect(&lf));
        RECT r{0, 0, 40, 24};
        DrawText(canvas.dc(), u"直骨", &r, DT_LEFT | DT_SINGLELINE);
        return canvas.buffer().pixels;
    };
    const auto mainland = render(DEFAULT_CHARSET, u"Noto Sans CJK SC");
    EXPECT_NE(mainland, render(DEFAULT_CHARSET, u"Noto Sans CJK JP")) << "the shapes do differ";
    EXPECT_EQ(render(GB2312_CHARSET, u""), mainland);
    EXPECT_EQ(render(GB2312_CHARSET, u"DejaVu Sans"), mainland)
        << "a Latin face falls back to mainland shapes";
}

TEST(Text, AlignmentMovesTheInk) {
    RECT inks[3];
    const UINT formats[] = {kCellLeft, kCellCentre, kCellRight};
    for (int i = 0; i < 3; ++i) {
        MemoryCanvas canvas(120, 20);
        SelectedObject font(canvas.dc(), MakeFont(-12));
        RECT r{10, 0, 110, 20};
        DrawText(canvas.dc(), u"第1章 Ab", &r, formats[i]);
        inks[i] = canvas.inkBounds();
    }
    EXPECT_LE(inks[0].left, 12) << "left aligned starts at the left edge";
    EXPECT_GE(inks[2].right, 106) << "right aligned ends at the right edge";
    EXPECT_LE(inks[2].right, 110);
    int centreOffset = (inks[1].left + inks[1].right) / 2 - 60;
    EXPECT_LE(std::abs(centreOffset), 3) << "centred";
    EXPECT_LT(inks[0].left, inks[1].left);
    EXPECT_LT(inks[1].left, inks[2].left);
}

TEST(Text, VerticalCentringAndTopPlacement) {
    SIZE extent;
    RECT inks[2];
    const UINT formats[] = {DT_LEFT | DT_SINGLELINE, DT_LEFT | DT_VCENTER | DT_SINGLELINE};
    for (int i = 0; i < 2; ++i) {
        MemoryCanvas canvas(60, 60);
        SelectedObject font(canvas.dc(), MakeFont(-12));
        GetTextExtentPoint32(canvas.dc(), u"Hg", &extent);
        RECT r{0, 0, 60, 60};
        DrawText(canvas.dc(), u"Hg", &r, formats[i]);
        inks[i] = canvas.inkBounds();
    }
    EXPECT_LT(inks[0].bottom, extent.cy + 1) << "top: within the first line";
    EXPECT_EQ(inks[1].top - inks[0].top, (60 - extent.cy) / 2)
        << "centred: moved by half the spare height";
}

TEST(Text, DrawsInTheTextColourAndFillsOnlyWhenOpaque) {
    for (int mode : {TRANSPARENT, OPAQUE}) {
        MemoryCanvas canvas(60, 20);
        SelectedObject font(canvas.dc(), MakeFont(-14, FW_BOLD));
        SetTextColor(canvas.dc(), RGB(255, 0, 0));
        SetBkColor(canvas.dc(), RGB(0, 255, 0));
        SetBkMode(canvas.dc(), mode);
        RECT r{0, 0, 60, 20};
        DrawText(canvas.dc(), u"Ill", &r, kCellLeft);
        std::size_t red = 0, green = 0;
        for (auto [x, y] : canvas.inked()) {
            red += canvas.pixel(x, y) == RGB(255, 0, 0);
            green += canvas.pixel(x, y) == RGB(0, 255, 0);
        }
        EXPECT_GT(red, 10u) << mode;
        EXPECT_EQ(green > 0, mode == OPAQUE) << mode;
        EXPECT_EQ(canvas.pixel(59, 0), RGB(255, 255, 255)) << "the fill covers the text only";
    }
}

TEST(Text, FontAttributesChangeTheInk) {
    auto render = [](LOGFONT lf) {
        MemoryCanvas canvas(80, 24);
        SelectedObject font(canvas.dc(), CreateFontIndirect(&lf));
        RECT r{0, 0, 80, 24};
        DrawText(canvas.dc(), u"Chapter", &r, kCellLeft);
        return canvas.buffer().pixels;
    };
    const auto normal = render(Font(-14));
    LOGFONT bold = Font(-14, FW_BOLD), italic = Font(-14), underline = Font(-14),
            strike = Font(-14), bigger = Font(-18);
    italic.lfItalic = 1;
    underline.lfUnderline = 1;
    strike.lfStrikeOut = 1;
    for (const LOGFONT& lf : {bold, italic, underline, strike, bigger})
        EXPECT_NE(render(lf), normal)
            << lf.lfWeight << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut;
}

TEST(Text, AmpersandMarksAnUnderlinedCharacterUnlessNoPrefix) {
    auto render = [](const std::u16string& text, UINT format) {
        MemoryCanvas canvas(60, 20);
        SelectedObject font(canvas.dc(), MakeFont(-13));
        RECT r{0, 0, 60, 20};
        DrawText(canvas.dc(), text, &r, format | DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return canvas.buffer().pixels;
    };
    EXPECT_EQ(render(u"A&&B", 0), render(u"A&B", DT_NOPREFIX)) << "a doubled ampersand shows one";
    EXPECT_NE(render(u"A&B", 0), render(u"A&B", DT_NOPREFIX));
    EXPECT_NE(render(u"A&B", 0), render(u"AB", 0)) << "B is underlined";
    EXPECT_EQ(render(u"AB", 0), render(u"AB", DT_NOPREFIX));
}

TEST(Text, HeightsFollowTheLogicalFont) {
    MemoryCanvas canvas(4, 4);
    auto extentOf = [&](LOGFONT lf) {
        SelectedObject font(canvas.dc(), CreateFontIndirect(&lf));
        SIZE size;
        EXPECT_TRUE(GetTextExtentPoint32(canvas.dc(), u"第一章 Chapter", &size));
        return size;
    };
    SIZE small = extentOf(Font(-10)), large = extentOf(Font(-20)), cell = extentOf(Font(20));
    EXPECT_GE(small.cy, 10) << "a negative height is the character height; the cell is taller";
    EXPECT_GT(large.cy, small.cy);
    EXPECT_GT(large.cx, small.cx);
    EXPECT_LE(cell.cy, 20) << "a positive height is the whole cell";
    EXPECT_GT(cell.cy, 14);
    EXPECT_GT(extentOf(Font(INT_MIN)).cy, 0) << "an absurd height is limited, not fatal";
    EXPECT_GT(extentOf(Font(0)).cy, 0) << "no height: the default size";
}

TEST(Text, ReturnsTheLineHeight) {
    MemoryCanvas canvas(40, 20);
    SelectedObject font(canvas.dc(), MakeFont(-12));
    SIZE extent;
    GetTextExtentPoint32(canvas.dc(), u"x", &extent);
    RECT r{0, 0, 40, 20};
    EXPECT_EQ(DrawText(canvas.dc(), u"x", &r, kCellLeft), extent.cy);
    EXPECT_EQ(DrawText(canvas.dc(), u"", &r, kCellLeft), extent.cy);
    EXPECT_TRUE(canvas.inked().size() > 0);
    EXPECT_EQ(DrawText(canvas.dc(), u"x", nullptr, kCellLeft), 0);
    EXPECT_EQ(DrawText(987654u, u"x", &r, kCellLeft), 0);
    SIZE size;
    EXPECT_FALSE(GetTextExtentPoint32(987654u, u"x", &size));
}

TEST(Text, UnknownOrOverlongFaceFallsBack) {
    LOGFONT lf = Font(-12);
    lf.lfFaceName = std::u16string(40, u'x');
    HFONT font = CreateFontIndirect(&lf);
    ASSERT_NE(font, 0u);
    MemoryCanvas canvas(40, 20);
    SelectObject(canvas.dc(), font);
    RECT r{0, 0, 40, 20};
    EXPECT_GT(DrawText(canvas.dc(), u"x", &r, kCellLeft), 0) << "an unknown face falls back";
    SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

} // namespace
} // namespace lumarin::platform
