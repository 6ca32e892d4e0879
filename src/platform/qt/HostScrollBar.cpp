// SPDX-License-Identifier: MIT
#include "platform/qt/HostScrollBar.h"

#include "platform/ScrollBar.h"
#include "platform/Window.h"
#include "platform/qt/InputMapping.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace lumarin::platform::qt {

namespace {

// The usual delays of an auto-repeating arrow or page area.
constexpr int kRepeatDelayMs = 350;
constexpr int kRepeatIntervalMs = 50;

WORD StepCode(QStyle::SubControl control) {
    switch (control) {
    case QStyle::SC_ScrollBarSubLine:
        return SB_LINEUP;
    case QStyle::SC_ScrollBarAddLine:
        return SB_LINEDOWN;
    case QStyle::SC_ScrollBarSubPage:
        return SB_PAGEUP;
    case QStyle::SC_ScrollBarAddPage:
        return SB_PAGEDOWN;
    default:
        return SB_ENDSCROLL;
    }
}

double Luminance(const QColor& c) {
    auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The palette's dark shade, darkened (on a light track) or lightened (on a
// dark one) until it has 3:1 contrast with the track; pressed, a step further.
QColor ThumbColor(const QColor& track, QColor thumb, bool pressed) {
    const bool lightTrack = Luminance(track) > 0.18;
    for (int i = 0; i < 20 && ContrastRatio(thumb, track) < 3.2; ++i)
        thumb = lightTrack ? thumb.darker(115) : thumb.lighter(115);
    return pressed ? (lightTrack ? thumb.darker(125) : thumb.lighter(125)) : thumb;
}

namespace {

// A paint device of nothing but a DPI: the owner's, in device pixels.
QImage DevicePixelDpi(const QWidget& owner) {
    QImage probe(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre =
        static_cast<int>(std::lround(owner.logicalDpiY() * owner.devicePixelRatioF() / 0.0254));
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    return probe;
}

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

HostScrollBar::HostScrollBar(QWidget* owner, HWND hwnd, int bar)
    : m_owner(owner), m_hwnd(hwnd), m_bar(bar) {
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, &HostScrollBar::stepAgain);
}

QRect HostScrollBar::geometry() const {
    if (!IsWindow(m_hwnd) || !IsScrollBarVisible(m_hwnd, m_bar)) return {};
    return ToQRect(GetScrollBarRect(m_hwnd, m_bar));
}

QStyleOptionSlider HostScrollBar::styleOption() const {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(m_hwnd, m_bar, &si);

    QStyleOptionSlider opt;
    opt.initFrom(m_owner);
    // The bar is drawn and hit tested in device pixels. A style sizes its
    // arrows, buttons and least thumb by the DPI of the option's font, so it
    // is given the font at the DPI of device pixels.
    const QImage dpi = DevicePixelDpi(*m_owner);
    opt.fontMetrics = QFontMetrics(m_owner->font(), &dpi);
    opt.rect = QRect(QPoint(0, 0), geometry().size());
    opt.orientation = m_bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical;
    opt.state = m_bar == SB_HORZ ? QStyle::State_Horizontal : QStyle::State_None;
    const bool enabled = IsScrollBarEnabled(m_hwnd, m_bar) && IsWindowEnabled(m_hwnd);
    if (enabled) opt.state |= QStyle::State_Enabled;
    opt.minimum = si.nMin;
    const int lastPos = si.nPage == 0 ? si.nMax : si.nMax - static_cast<int>(si.nPage) + 1;
    opt.maximum = std::max(si.nMin, lastPos);
    opt.pageStep = static_cast<int>(si.nPage);
    opt.singleStep = 1;
    opt.sliderPosition = std::clamp(si.nPos, opt.minimum, opt.maximum);
    opt.sliderValue = opt.sliderPosition;
    opt.upsideDown = false;
    opt.subControls = QStyle::SC_All;
    // A disabled bar, or one with nothing to scroll, has no thumb: a style
    // would draw a stray block for it.
    if (!enabled || opt.maximum <= opt.minimum) opt.subControls &= ~QStyle::SC_ScrollBarSlider;
    opt.activeSubControls = m_pressed;
    if (m_pressed != QStyle::SC_None) opt.state |= QStyle::State_Sunken;
    return opt;
}

void HostScrollBar::paint(QPainter& painter) const {
    const QRect where = geometry();
    if (where.isEmpty()) return;
    const QStyleOptionSlider opt = styleOption();
    painter.save();
    // Styles may draw a hair outside the bar (antialiased edges); at
    // fractional scales that would land on the client's last pixel column.
    painter.setClipRect(where);
    painter.translate(where.topLeft());
    m_owner->style()->drawComplexControl(QStyle::CC_ScrollBar, &opt, &painter, m_owner);
    painter.restore();
    // Styles with a pale thumb on a pale track leave it hard to find: the
    // thumb is drawn again in a shade that stands out from the track.
    if (!(opt.state & QStyle::State_Enabled) || opt.maximum <= opt.minimum) return;
    const QRect thumb = partRect(QStyle::SC_ScrollBarSlider);
    const int inset =
        std::max(1, thumb.width() < thumb.height() ? thumb.width() / 6 : thumb.height() / 6);
    const QColor track = opt.palette.color(QPalette::Window);
    painter.fillRect(m_bar == SB_HORZ ? thumb.adjusted(0, inset, 0, -inset)
                                      : thumb.adjusted(inset, 0, -inset, 0),
                     ThumbColor(track, opt.palette.color(QPalette::Dark),
                                m_pressed == QStyle::SC_ScrollBarSlider));
}

QRect HostScrollBar::partRect(QStyle::SubControl part) const {
    const QStyleOptionSlider opt = styleOption();
    return m_owner->style()
        ->subControlRect(QStyle::CC_ScrollBar, &opt, part, m_owner)
        .translated(geometry().topLeft());
}

QStyle::SubControl HostScrollBar::hitTest(QPoint pos) const {
    const QStyleOptionSlider opt = styleOption();
    return m_owner->style()->hitTestComplexControl(QStyle::CC_ScrollBar, &opt,
                                                   pos - geometry().topLeft(), m_owner);
}

int HostScrollBar::along(QPoint p) const {
    return m_bar == SB_HORZ ? p.x() : p.y();
}

// The thumb position a drag to pos asks for, as a value of the scroll range.
int HostScrollBar::valueAt(QPoint pos) const {
    const QStyleOptionSlider opt = styleOption();
    const QRect groove = partRect(QStyle::SC_ScrollBarGroove);
    const QRect thumb = partRect(QStyle::SC_ScrollBarSlider);
    const int thumbLength = m_bar == SB_HORZ ? thumb.width() : thumb.height();
    const int grooveStart = along(groove.topLeft());
    const int grooveLength = m_bar == SB_HORZ ? groove.width() : groove.height();
    const int span = std::max(0, grooveLength - thumbLength);
    const int offset = std::clamp(along(pos) - m_grabOffset - grooveStart, 0, span);
    return QStyle::sliderValueFromPosition(opt.minimum, opt.maximum, offset, span);
}

void HostScrollBar::sendNonClientDown(Qt::MouseButton button, QPoint pos) {
    const UINT msg = button == Qt::RightButton    ? WM_NCRBUTTONDOWN
                     : button == Qt::MiddleButton ? WM_NCMBUTTONDOWN
                                                  : WM_NCLBUTTONDOWN;
    const RECT insets = GetFrameInsets(m_hwnd);
    POINT screen{pos.x() - insets.left, pos.y() - insets.top};
    ClientToScreen(m_hwnd, &screen);
    SendMessage(m_hwnd, msg, static_cast<WPARAM>(m_bar == SB_HORZ ? HTHSCROLL : HTVSCROLL),
                PointLParam(screen.x, screen.y));
}

void HostScrollBar::sendScroll(WORD code, int pos) {
    if (!IsWindow(m_hwnd)) return;
    SendMessage(m_hwnd, m_bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL,
                MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    m_owner->update();
}

void HostScrollBar::press(Qt::MouseButton button, QPoint pos) {
    stop();
    sendNonClientDown(button, pos);
    if (button != Qt::LeftButton || !IsWindow(m_hwnd) || geometry().isEmpty() ||
        !(styleOption().state & QStyle::State_Enabled))
        return;

    const QStyle::SubControl control = hitTest(pos);
    m_lastPos = pos;
    if (control == QStyle::SC_ScrollBarSlider) {
        m_pressed = control;
        m_grabOffset = along(pos) - along(partRect(control).topLeft());
        m_trackPos = styleOption().sliderPosition;
        move(pos);
        return;
    }
    const WORD code = StepCode(control);
    if (code == SB_ENDSCROLL) return;
    m_pressed = control;
    sendScroll(code);
    m_repeat.start(kRepeatDelayMs);
}

void HostScrollBar::move(QPoint pos) {
    m_lastPos = pos;
    if (m_pressed != QStyle::SC_ScrollBarSlider || !IsWindow(m_hwnd)) return;
    m_trackPos = valueAt(pos);
    SCROLLINFO si;
    si.fMask = SIF_TRACKPOS;
    si.nTrackPos = m_trackPos;
    SetScrollInfo(m_hwnd, m_bar, &si, false);
    sendScroll(SB_THUMBTRACK, m_trackPos);
}

// Auto-repeat continues only while the pointer stays over the part that was
// pressed, so a page step stops once the thumb has reached the pointer.
void HostScrollBar::stepAgain() {
    m_repeat.setInterval(kRepeatIntervalMs);
    if (!IsWindow(m_hwnd) || geometry().isEmpty()) {
        stop();
        return;
    }
    if (hitTest(m_lastPos) == m_pressed) sendScroll(StepCode(m_pressed));
}

void HostScrollBar::release() {
    const QStyle::SubControl pressed = m_pressed;
    stop();
    if (pressed == QStyle::SC_None) return;
    if (pressed == QStyle::SC_ScrollBarSlider) sendScroll(SB_THUMBPOSITION, m_trackPos);
    sendScroll(SB_ENDSCROLL);
}

void HostScrollBar::stop() {
    m_repeat.stop();
    m_pressed = QStyle::SC_None;
    m_owner->update();
}

} // namespace lumarin::platform::qt
