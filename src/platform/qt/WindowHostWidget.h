// SPDX-License-Identifier: MIT
#pragma once
// A widget that shows one platform window: its frame, its two scroll bars and
// its client surface. The window lives in device pixels: it is as large as the
// widget times its device pixel ratio, its surface is shown one to one, and
// every pointer position is turned into device pixels before it is sent. Qt events become window
// messages in one place (event()); the window's procedure never sees a Qt type. The widget attaches
// itself as the window's host and detaches when it goes away; when the window is destroyed first,
// the widget stays empty and sends nothing.

#include "platform/DataObject.h"
#include "platform/WindowHost.h"
#include "platform/qt/HostScrollBar.h"

#include <QWidget>
#include <map>
#include <memory>

class QDropEvent;
class QKeyEvent;
class QMouseEvent;
class QTimer;
class QWheelEvent;

namespace lumarin::platform::qt {

class WindowHostWidget final : public QWidget, public IWindowHost {
    Q_OBJECT
public:
    explicit WindowHostWidget(HWND hwnd, QWidget* parent = nullptr);
    ~WindowHostWidget() override;
    WindowHostWidget(const WindowHostWidget&) = delete;
    WindowHostWidget& operator=(const WindowHostWidget&) = delete;

    HWND hwnd() const { return m_hwnd; }
    bool windowAlive() const; // the window exists and this widget is still its host
    QSize sizeHint() const override;
    const HostScrollBar& scrollBar(int bar) const { return bar == SB_HORZ ? m_horz : m_vert; }
    // The window holds the platform's keyboard focus.
    bool hasKeyboardFocus() const;
    // Between the window's client pixels and Qt's global coordinates.
    QRect clientToGlobal(const RECT& client) const;
    POINT globalToClient(QPoint global) const;

    // IWindowHost
    void invalidated() override;
    void surfaceChanged() override;
    void scrollBarsChanged() override;
    void frameChanged() override;
    void focusRequested() override;
    void captureChanged(bool captured) override;
    void cursorChanged(HCURSOR cursor) override;
    void topMostChanged(bool topMost) override;
    void timerStarted(UINT_PTR id, UINT elapseMs) override;
    void timerStopped(UINT_PTR id) override;
    POINT screenOrigin() const override;
    void windowDestroyed() override;
    void accessibleEvent(AccessibleEvent event, int row) override;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // WindowHostWidget_Input.cpp: Qt input to window messages.
    void mousePressed(QMouseEvent* e, bool doubleClick);
    void mouseMoved(QMouseEvent* e);
    void mouseReleased(QMouseEvent* e);
    void endBarTracking();
    void wheelTurned(QWheelEvent* e);
    void keyChanged(QKeyEvent* e, bool down);
    void focusChanged(bool in);
    void dragArrived(QDropEvent* e, UINT msg, int state);
    void dragLeft();
    void resized();

    // Positions: QPoint arguments below are window coordinates in device pixels.
    QPoint toWindow(QPointF widgetPos) const;
    QPoint toScreen(QPointF globalPos) const;
    HostScrollBar* scrollBarAt(QPoint pos);
    LRESULT hitTest(QPoint pos) const;
    QPoint clientOffset() const;
    LPARAM clientLParam(QPoint pos) const;
    void noteCursorPos(QPointF globalPos) const;
    void noteKeyState(QEvent* e) const;

    HWND m_hwnd;
    HostScrollBar m_horz;
    HostScrollBar m_vert;
    HostScrollBar* m_trackingBar = nullptr;
    int m_wheelGathered = 0; // wheel angle not yet sent: less than one notch
    std::map<UINT_PTR, QTimer*> m_timers;
    std::unique_ptr<DataObject> m_dragData;
    bool m_painting = false;
};

} // namespace lumarin::platform::qt

namespace lumarin::platform::qt {

// The top-level widget showing hwnd or one of its ancestors, for parenting
// dialogs; nullptr when no such window is on screen.
QWidget* HostWidgetOf(HWND hwnd);

} // namespace lumarin::platform::qt
