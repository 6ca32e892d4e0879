// SPDX-License-Identifier: MIT
#include "platform/qt/WindowHostWidget.h"

#include "platform/Window.h"
#include "platform/qt/AccessibleTable.h"
#include "platform/qt/FramePainter.h"
#include "platform/qt/InputMapping.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

namespace lumarin::platform::qt {

WindowHostWidget::WindowHostWidget(HWND hwnd, QWidget* parent)
    : QWidget(parent), m_hwnd(hwnd), m_horz(this, hwnd, SB_HORZ), m_vert(this, hwnd, SB_VERT) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    InstallAccessibleTableFactory();
    if (IsWindow(m_hwnd)) {
        AttachWindowHost(m_hwnd, this);
        resize(sizeHint());
    }
}

WindowHostWidget::~WindowHostWidget() {
    if (windowAlive()) AttachWindowHost(m_hwnd, nullptr);
}

bool WindowHostWidget::windowAlive() const {
    return IsWindow(m_hwnd) && GetWindowHost(m_hwnd) == this;
}

QSize WindowHostWidget::sizeHint() const {
    RECT r;
    if (!IsWindow(m_hwnd) || !GetWindowRect(m_hwnd, &r)) return QWidget::sizeHint();
    const double scale = devicePixelRatioF();
    return QSize(static_cast<int>(std::ceil((r.right - r.left) / scale)),
                 static_cast<int>(std::ceil((r.bottom - r.top) / scale)));
}

QPoint WindowHostWidget::toWindow(QPointF widgetPos) const {
    const double scale = devicePixelRatioF();
    return QPoint(static_cast<int>(std::floor(widgetPos.x() * scale)),
                  static_cast<int>(std::floor(widgetPos.y() * scale)));
}

// The platform's screen is Qt's global space in device pixels.
QPoint WindowHostWidget::toScreen(QPointF globalPos) const {
    return toWindow(globalPos);
}

QPoint WindowHostWidget::clientOffset() const {
    const RECT insets = GetFrameInsets(m_hwnd);
    return QPoint(insets.left, insets.top);
}

bool WindowHostWidget::hasKeyboardFocus() const {
    return windowAlive() && GetFocus() == m_hwnd;
}

QRect WindowHostWidget::clientToGlobal(const RECT& client) const {
    if (client.right <= client.left || client.bottom <= client.top) return {};
    const double scale = devicePixelRatioF();
    const QPoint offset = clientOffset();
    const QPointF topLeft((client.left + offset.x()) / scale, (client.top + offset.y()) / scale);
    const QPointF bottomRight((client.right + offset.x()) / scale,
                              (client.bottom + offset.y()) / scale);
    return QRectF(mapToGlobal(topLeft), mapToGlobal(bottomRight)).toAlignedRect();
}

POINT WindowHostWidget::globalToClient(QPoint global) const {
    const QPoint window = toWindow(mapFromGlobal(QPointF(global))) - clientOffset();
    return POINT{window.x(), window.y()};
}

// ---- what the window table tells the host ----------------------------------

void WindowHostWidget::invalidated() {
    // A procedure that invalidates while it paints gets its next WM_PAINT from
    // a fresh paint event rather than from inside this one.
    if (m_painting)
        QTimer::singleShot(0, this, qOverload<>(&QWidget::update));
    else
        update();
}

void WindowHostWidget::surfaceChanged() {
    if (!m_painting) update();
}

void WindowHostWidget::scrollBarsChanged() {
    update();
}

void WindowHostWidget::frameChanged() {
    updateGeometry();
    update();
}

void WindowHostWidget::focusRequested() {
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
}

void WindowHostWidget::captureChanged(bool captured) {
    // While a button is held Qt already sends every move to this widget; an
    // explicit grab covers a capture taken without a button down.
    if (captured && isVisible() && QWidget::mouseGrabber() == nullptr)
        grabMouse();
    else if (!captured && QWidget::mouseGrabber() == this)
        releaseMouse();
}

void WindowHostWidget::cursorChanged(HCURSOR cursor) {
    setCursor(CursorShapeFor(cursor));
}

void WindowHostWidget::topMostChanged(bool topMost) {
    QWidget* top = window();
    const bool shown = top->isVisible();
    top->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    if (shown) top->show(); // changing the flags hides a top-level widget
}

void WindowHostWidget::timerStarted(UINT_PTR id, UINT elapseMs) {
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (windowAlive()) FireTimer(m_hwnd, id);
        });
    }
    timer->start(static_cast<int>(elapseMs));
}

void WindowHostWidget::timerStopped(UINT_PTR id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    // The procedure may kill a timer from inside its own WM_TIMER.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}

void WindowHostWidget::windowDestroyed() {
    for (const auto& [id, timer] : m_timers)
        timer->deleteLater();
    m_timers.clear();
    m_dragData.reset();
    m_trackingBar = nullptr;
    if (QWidget::mouseGrabber() == this) releaseMouse();
    update();
}

void WindowHostWidget::accessibleEvent(AccessibleEvent event, int row) {
    SendAccessibleEvent(this, event, row);
}

POINT WindowHostWidget::screenOrigin() const {
    const QPoint origin = toScreen(mapToGlobal(QPointF(0, 0))) + clientOffset();
    return POINT{origin.x(), origin.y()};
}

// ---- painting ---------------------------------------------------------------

void WindowHostWidget::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    if (!windowAlive()) {
        painter.fillRect(e->rect(), palette().window());
        return;
    }
    RECT update;
    if (GetUpdateRect(m_hwnd, &update, false)) {
        m_painting = true;
        UpdateWindow(m_hwnd);
        m_painting = false;
        if (!windowAlive()) return;
    }
    // From here on one unit is one device pixel: the surface lands one to one.
    const double scale = devicePixelRatioF();
    painter.scale(1 / scale, 1 / scale);
    RECT window;
    GetWindowRect(m_hwnd, &window);
    const QRect frame(0, 0, window.right - window.left, window.bottom - window.top);
    PaintWindowFrame(painter, m_hwnd, frame);
    if (hasFocus()) PaintFocusRing(painter, m_hwnd, frame, palette().color(QPalette::Highlight));
    if (const PixelBuffer* surface = GetWindowSurface(m_hwnd);
        surface != nullptr && surface->width > 0 && surface->height > 0) {
        const QImage image(reinterpret_cast<const uchar*>(surface->pixels.data()), surface->width,
                           surface->height, surface->width * 4, QImage::Format_RGB32);
        painter.drawImage(clientOffset(), image);
    }
    m_horz.paint(painter);
    m_vert.paint(painter);
}

} // namespace lumarin::platform::qt

namespace lumarin::platform::qt {

QWidget* HostWidgetOf(HWND hwnd) {
    for (HWND h = hwnd; h != 0 && IsWindow(h); h = GetParent(h))
        if (auto* host = dynamic_cast<WindowHostWidget*>(GetWindowHost(h))) return host->window();
    return nullptr;
}

} // namespace lumarin::platform::qt
