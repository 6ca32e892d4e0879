// SPDX-License-Identifier: MIT
// Text through Qt: the DC's font becomes a QFont and is painted by QPainter on a
// QImage that shares the DC's pixels, so text lands in the same buffer as the
// pixel rules. Characters the face lacks (CJK in a Latin face) come from Qt's
// font fallback. Without a QGuiApplication there are no fonts: text calls fail.
#include "platform/Canvas.h"
#include "platform/Gdi.h"
#include "platform/PixelOps.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace lumarin::platform {

namespace {

// Beyond this a height is a mistake; Qt would try to build the glyphs.
constexpr long long kMaxPixelSize = 2048;

bool HaveFonts() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// A Simplified Chinese face to try after the named one, so that Han characters
// in a GB2312 font take their mainland shapes rather than whatever fallback
// finds first. Pan-CJK families name their mainland cut " SC"; a plain sans one
// is preferred to mono or serif cuts.
QString SimplifiedChineseFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        QString best = families.isEmpty() ? QString() : families.front();
        int bestScore = 0;
        for (const QString& name : families) {
            int score = name.endsWith(QLatin1String(" SC")) ? 2 : 0;
            if (score && !name.contains(QLatin1String("Mono")) &&
                !name.contains(QLatin1String("Serif")))
                ++score;
            if (score > bestScore) {
                best = name;
                bestScore = score;
            }
        }
        return best;
    }();
    return family;
}

// A positive height is a cell height (ascent + descent); Qt sizes by the em,
// which is what a negative height means, so scale the em until the cell fits.
int PixelSizeForCell(QFont font, long long cell) {
    font.setPixelSize(static_cast<int>(cell));
    int measured = QFontMetrics(font).height();
    if (measured <= cell || measured <= 0) return static_cast<int>(cell);
    return static_cast<int>(std::max<long long>(1, cell * cell / measured));
}

QFont ToQFont(const LOGFONT& lf) {
    QFont font;
    QStringList families;
    if (!lf.lfFaceName.empty()) families << QString::fromStdU16String(lf.lfFaceName);
    if (lf.lfCharSet == GB2312_CHARSET && !SimplifiedChineseFamily().isEmpty())
        families << SimplifiedChineseFamily();
    if (!families.isEmpty()) font.setFamilies(families);
    long long height =
        std::min<long long>(std::llabs(static_cast<long long>(lf.lfHeight)), kMaxPixelSize);
    if (lf.lfHeight < 0)
        font.setPixelSize(static_cast<int>(height));
    else if (lf.lfHeight > 0)
        font.setPixelSize(PixelSizeForCell(font, height));
    else
        font.setPixelSize(11);
    int weight = lf.lfWeight == 0 ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

QFont SelectedFont(DeviceContext& dc) {
    GdiObjectTable& table = GdiObjectTable::instance();
    GdiFont* font = table.find<GdiFont>(dc.font);
    return ToQFont(font ? font->logFont
                        : table.find<GdiFont>(table.stockObject(SYSTEM_FONT))->logFont);
}

QString ToQString(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// Where the text starts inside the rectangle, by the alignment flags. Worked in
// 64 bits: a rectangle spanning the whole coordinate range must not overflow.
QPoint TextOrigin(const RECT& r, UINT format, int textWidth, int textHeight) {
    long long left = r.left, right = r.right, top = r.top, bottom = r.bottom;
    long long x = left;
    if (format & DT_CENTER)
        x = left + (right - left - textWidth) / 2;
    else if (format & DT_RIGHT)
        x = right - textWidth;
    long long y = top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = top + (bottom - top - textHeight) / 2;
        else if (format & DT_BOTTOM)
            y = bottom - textHeight;
    }
    constexpr long long kLimit = 1LL << 30;
    return {static_cast<int>(std::clamp(x, -kLimit, kLimit)),
            static_cast<int>(std::clamp(y, -kLimit, kLimit))};
}

// Without DT_NOPREFIX an ampersand underlines the character after it and "&&"
// shows one ampersand, as in menu and button captions.
int TextFlags(UINT format) {
    return Qt::TextSingleLine | Qt::TextDontClip |
           ((format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic);
}

// The text as shown in `available` pixels: cut with an ellipsis when asked.
QString FitText(const QFontMetrics& metrics, QString text, int available, UINT format) {
    if ((format & DT_END_ELLIPSIS) && metrics.size(TextFlags(format), text).width() > available)
        return metrics.elidedText(text, Qt::ElideRight, available, TextFlags(format));
    return text;
}

void PaintText(PixelBuffer& buffer, const RECT& clip, const QFont& font, COLORREF color,
               const QRect& cell, const QString& text, UINT format) {
    QImage image(reinterpret_cast<uchar*>(buffer.pixels.data()), buffer.width, buffer.height,
                 static_cast<qsizetype>(buffer.width) * 4, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setClipRect(QRect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    painter.setFont(font);
    painter.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    painter.drawText(cell, TextFlags(format) | Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

int DrawText(HDC hdc, const std::u16string& text, RECT* rect, UINT format) {
    Canvas canvas(hdc);
    if (!canvas.valid() || !rect || !HaveFonts()) return 0;
    DeviceContext& dc = canvas.dc();
    const QFont font = SelectedFont(dc);
    const QFontMetrics metrics(font);
    const int height = metrics.height();
    const RECT& r = *rect;
    const int available = static_cast<int>(
        std::clamp<long long>(static_cast<long long>(r.right) - r.left, 0, 1LL << 30));
    const QString shown = FitText(metrics, ToQString(text), available, format);
    const RECT clip = ClipToBuffer(r, canvas.pixels());
    if (shown.isEmpty() || IsEmptyRect(clip)) return height;

    const int width = metrics.size(TextFlags(format), shown).width();
    const QRect cell(TextOrigin(r, format, width, height), QSize(width, height));
    if (dc.bkMode == OPAQUE) {
        RECT behind{std::max(cell.left(), clip.left), std::max(cell.top(), clip.top),
                    std::min(cell.left() + width, clip.right),
                    std::min(cell.top() + height, clip.bottom)};
        FillPixels(canvas.pixels(), behind, ToPixel(dc.bkColor));
    }
    PaintText(canvas.pixels(), clip, font, dc.textColor, cell, shown, format);
    canvas.markChanged();
    return height;
}

BOOL GetTextExtentPoint32(HDC hdc, const std::u16string& text, SIZE* size) {
    DeviceContext* dc = GdiObjectTable::instance().find<DeviceContext>(hdc);
    if (!dc || !size || !HaveFonts()) return false;
    const QFontMetrics metrics(SelectedFont(*dc));
    size->cx = metrics.horizontalAdvance(ToQString(text));
    size->cy = metrics.height();
    return true;
}

} // namespace lumarin::platform
