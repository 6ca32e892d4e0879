// SPDX-License-Identifier: MIT
#pragma once
// One of a window's two non-client scroll bars on screen. It draws the core's
// scroll info with the widget style and turns presses, drags and releases into
// WM_NC*BUTTONDOWN and WM_HSCROLL / WM_VSCROLL. It keeps no position of its own:
// every paint reads the scroll info again, so the bar moves only when the window
// procedure moves it.

#include "platform/WinTypes.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QStyle>
#include <QTimer>

class QPainter;
class QStyleOptionSlider;
class QWidget;

namespace lumarin::platform::qt {

// WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);
// A thumb colour with at least 3:1 contrast against the track.
QColor ThumbColor(const QColor& track, QColor thumb, bool pressed);

class HostScrollBar final : public QObject {
    Q_OBJECT
public:
    // pos arguments are in window coordinates: device pixels from the
    // window's top left corner.
    HostScrollBar(QWidget* owner, HWND hwnd, int bar);

    QRect geometry() const; // empty when the bar is hidden
    // Where an arrow, page area or the thumb is now: the geometry that both
    // painting and hit testing use.
    QRect partRect(QStyle::SubControl part) const;
    void paint(QPainter& painter) const;

    void press(Qt::MouseButton button, QPoint pos);
    void move(QPoint pos);
    void release();
    bool isTracking() const { return m_pressed != QStyle::SC_None; }

private:
    QStyleOptionSlider styleOption() const;
    QStyle::SubControl hitTest(QPoint pos) const;
    int valueAt(QPoint pos) const;
    int along(QPoint p) const;
    void sendNonClientDown(Qt::MouseButton button, QPoint pos);
    void sendScroll(WORD code, int pos = 0);
    void stepAgain();
    void stop();

    QWidget* m_owner;
    HWND m_hwnd;
    int m_bar;
    QStyle::SubControl m_pressed = QStyle::SC_None;
    QPoint m_lastPos;
    int m_grabOffset = 0;
    int m_trackPos = 0;
    QTimer m_repeat;
};

} // namespace lumarin::platform::qt
