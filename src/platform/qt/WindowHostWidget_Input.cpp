// SPDX-License-Identifier: MIT
// Qt input to window messages: one switch in event(), small translators below.
// Coordinates: the widget shows the whole window at (0, 0); a widget position
// times the device pixel ratio is the window position (toWindow), and client
// coordinates are offset from it by the frame.

#include "platform/ScrollBar.h"
#include "platform/Window.h"
#include "platform/qt/InputMapping.h"
#include "platform/qt/WindowHostWidget.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <cmath>

namespace lumarin::platform::qt {

namespace {

constexpr int kVkLButton = 0x01;
constexpr int kVkRButton = 0x02;
constexpr int kVkMButton = 0x04;

struct ButtonMessages {
    UINT down;
    UINT up;
    UINT doubleClick;
};

ButtonMessages MessagesFor(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    case Qt::MiddleButton:
        return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK};
    default:
        return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    }
}

bool IsMouseButton(Qt::MouseButton b) {
    return b == Qt::LeftButton || b == Qt::RightButton || b == Qt::MiddleButton;
}

std::vector<std::u16string> LocalFiles(const QMimeData* mime) {
    std::vector<std::u16string> files;
    if (mime == nullptr || !mime->hasUrls()) return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdU16String());
    return files;
}

// lParam of a key message: repeat count 1, bit 30 for a repeated press, bits
// 30 and 31 for a release.
LPARAM KeyLParam(bool down, bool repeat) {
    if (!down) return static_cast<LPARAM>(0xC0000001u);
    return repeat ? static_cast<LPARAM>(0x40000001u) : 1;
}

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

bool WindowHostWidget::event(QEvent* e) {
    if (!windowAlive()) return QWidget::event(e);
    // A disabled window hears nothing from the user, as on the desktop.
    if (IsUserInput(e->type()) && !IsWindowEnabled(m_hwnd)) {
        e->ignore();
        return true;
    }
    if (IsUserInput(e->type())) noteKeyState(e);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        mousePressed(static_cast<QMouseEvent*>(e), false);
        return true;
    case QEvent::MouseButtonDblClick:
        mousePressed(static_cast<QMouseEvent*>(e), true);
        return true;
    case QEvent::MouseMove:
        mouseMoved(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::MouseButtonRelease:
        mouseReleased(static_cast<QMouseEvent*>(e));
        return true;
    case QEvent::Wheel:
        wheelTurned(static_cast<QWheelEvent*>(e));
        return true;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(e);
        keyChanged(key, true);
        // Tab still moves the focus between widgets; other keys stop here.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) break;
        return true;
    }
    case QEvent::KeyRelease:
        keyChanged(static_cast<QKeyEvent*>(e), false);
        return true;
    case QEvent::FocusIn:
        focusChanged(true);
        break;
    case QEvent::FocusOut:
        focusChanged(false);
        break;
    case QEvent::DragEnter:
        dragArrived(static_cast<QDropEvent*>(e), WM_OLEDRAGENTER, 0);
        return true;
    case QEvent::DragMove:
        dragArrived(static_cast<QDropEvent*>(e), WM_OLEDRAGOVER, 2);
        return true;
    case QEvent::DragLeave:
        dragLeft();
        return true;
    case QEvent::Drop:
        dragArrived(static_cast<QDropEvent*>(e), WM_OLEDRAGDROP, 2);
        m_dragData.reset();
        return true;
    case QEvent::Resize:
    case QEvent::ScreenChangeInternal: // the device pixel ratio may differ there
        resized();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

// ---- mouse --------------------------------------------------------------------

LRESULT WindowHostWidget::hitTest(QPoint pos) const {
    if (GetCapture() == m_hwnd) return HTCLIENT;
    const QPoint screen = toScreen(mapToGlobal(QPointF(0, 0))) + pos;
    return SendMessage(m_hwnd, WM_NCHITTEST, 0, PointLParam(screen.x(), screen.y()));
}

HostScrollBar* WindowHostWidget::scrollBarAt(QPoint pos) {
    const LRESULT hit = hitTest(pos);
    if (hit == HTHSCROLL) return &m_horz;
    if (hit == HTVSCROLL) return &m_vert;
    return nullptr;
}

LPARAM WindowHostWidget::clientLParam(QPoint pos) const {
    const QPoint client = pos - clientOffset();
    return PointLParam(client.x(), client.y());
}

// GetKeyState follows the modifiers and buttons of each input event. A
// modifier key's own press or release is not yet in its event's modifiers.
void WindowHostWidget::noteKeyState(QEvent* e) const {
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    if (auto* drop = dynamic_cast<QDropEvent*>(e)) {
        modifiers = drop->modifiers();
        buttons = drop->buttons();
    } else if (auto* input = dynamic_cast<QInputEvent*>(e)) {
        modifiers = input->modifiers();
        if (auto* pointer = dynamic_cast<QSinglePointEvent*>(e)) buttons = pointer->buttons();
    }
    bool shift = modifiers & Qt::ShiftModifier;
    bool control = modifiers & Qt::ControlModifier;
    bool alt = modifiers & Qt::AltModifier;
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        const bool down = e->type() == QEvent::KeyPress;
        switch (static_cast<QKeyEvent*>(e)->key()) {
        case Qt::Key_Shift:
            shift = down;
            break;
        case Qt::Key_Control:
            control = down;
            break;
        case Qt::Key_Alt:
            alt = down;
            break;
        default:
            break;
        }
    } else {
        SetKeyState(kVkLButton, buttons & Qt::LeftButton);
        SetKeyState(kVkRButton, buttons & Qt::RightButton);
        SetKeyState(kVkMButton, buttons & Qt::MiddleButton);
    }
    SetKeyState(VK_SHIFT, shift);
    SetKeyState(VK_CONTROL, control);
    SetKeyState(VK_MENU, alt);
}

void WindowHostWidget::noteCursorPos(QPointF globalPos) const {
    const QPoint screen = toScreen(globalPos);
    SetCurrentCursorPos(POINT{screen.x(), screen.y()});
}

void WindowHostWidget::mousePressed(QMouseEvent* e, bool doubleClick) {
    const QPoint pos = toWindow(e->position());
    noteCursorPos(e->globalPosition());
    if (!IsMouseButton(e->button())) return;
    if (m_trackingBar != nullptr) {
        if (e->button() != Qt::LeftButton) return;
        endBarTracking(); // its release went elsewhere (a modal box, say)
    }
    if (HostScrollBar* bar = scrollBarAt(pos)) {
        bar->press(e->button(), pos);
        if (bar->isTracking()) m_trackingBar = bar;
        return;
    }
    if (hitTest(pos) != HTCLIENT) return;
    const ButtonMessages msgs = MessagesFor(e->button());
    SendMessage(m_hwnd, doubleClick ? msgs.doubleClick : msgs.down,
                MouseKeyState(e->buttons(), e->modifiers()), clientLParam(pos));
}

void WindowHostWidget::mouseMoved(QMouseEvent* e) {
    const QPoint pos = toWindow(e->position());
    noteCursorPos(e->globalPosition());
    if (m_trackingBar != nullptr) {
        if (e->buttons() & Qt::LeftButton)
            m_trackingBar->move(pos);
        else
            endBarTracking();
        return;
    }
    const LRESULT hit = hitTest(pos);
    // As on the desktop, the window may choose its pointer before it hears of
    // the move; a captured pointer keeps whatever shape it has.
    if (GetCapture() != m_hwnd) {
        SendMessage(m_hwnd, WM_SETCURSOR, static_cast<WPARAM>(m_hwnd),
                    MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(WM_MOUSEMOVE)));
        if (!windowAlive()) return;
    }
    if (hit == HTCLIENT) {
        SendMessage(m_hwnd, WM_MOUSEMOVE, MouseKeyState(e->buttons(), e->modifiers()),
                    clientLParam(pos));
    } else {
        const QPoint screen = toScreen(e->globalPosition());
        SendMessage(m_hwnd, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
                    PointLParam(screen.x(), screen.y()));
    }
}

void WindowHostWidget::mouseReleased(QMouseEvent* e) {
    const QPoint pos = toWindow(e->position());
    noteCursorPos(e->globalPosition());
    if (m_trackingBar != nullptr) {
        if (e->button() == Qt::LeftButton) endBarTracking();
        return;
    }
    if (!IsMouseButton(e->button()) || hitTest(pos) != HTCLIENT) return;
    SendMessage(m_hwnd, MessagesFor(e->button()).up, MouseKeyState(e->buttons(), e->modifiers()),
                clientLParam(pos));
}

void WindowHostWidget::endBarTracking() {
    HostScrollBar* bar = m_trackingBar;
    m_trackingBar = nullptr;
    if (bar != nullptr) bar->release();
}

void WindowHostWidget::wheelTurned(QWheelEvent* e) {
    noteCursorPos(e->globalPosition());
    // Touchpads and fine wheels turn in small steps; they gather until a
    // whole notch (or several) can be sent. A sideways turn adds nothing.
    m_wheelGathered += e->angleDelta().y();
    const int delta = m_wheelGathered / WHEEL_DELTA * WHEEL_DELTA;
    if (delta == 0) return;
    m_wheelGathered -= delta;
    const WORD keys = static_cast<WORD>(MouseKeyState(e->buttons(), e->modifiers()));
    const QPoint screen = toScreen(e->globalPosition());
    SendMessage(m_hwnd, WM_MOUSEWHEEL,
                MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))),
                PointLParam(screen.x(), screen.y()));
}

// ---- keyboard and focus ---------------------------------------------------------

void WindowHostWidget::keyChanged(QKeyEvent* e, bool down) {
    // Auto-repeat arrives as release/press pairs; the window sees only presses.
    if (!down && e->isAutoRepeat()) return;
    if (const UINT vk = VirtualKeyFromQtKey(e->key()); vk != 0)
        SendMessage(m_hwnd, down ? WM_KEYDOWN : WM_KEYUP, vk, KeyLParam(down, e->isAutoRepeat()));
    if (!down || !windowAlive()) return;
    for (const QChar c : e->text()) {
        if (c.unicode() == 0x7F) // Delete is a key, not a character
            continue;
        SendMessage(m_hwnd, WM_CHAR, c.unicode(), KeyLParam(true, e->isAutoRepeat()));
        if (!windowAlive()) return;
    }
}

void WindowHostWidget::focusChanged(bool in) {
    if (!in) endBarTracking(); // a box or another window took over mid-drag
    if (in && GetFocus() != m_hwnd)
        SetFocus(m_hwnd);
    else if (!in && GetFocus() == m_hwnd)
        SetFocus(0);
    if (!in) return;
    // Qt tells readers that this widget has the focus once this event is done;
    // the current row, said after that, is what they read out.
    QTimer::singleShot(0, this, [this] {
        const IAccessibleWindow* source = GetAccessibleWindow(m_hwnd);
        if (source != nullptr && hasKeyboardFocus() && source->CurrentRow() >= 0)
            accessibleEvent(AccessibleEvent::CurrentRowChanged, source->CurrentRow());
    });
}

// ---- drag and drop ------------------------------------------------------------------

// Enter, over and drop all describe the drag the same way; the window answers
// through DropInfo::effect, and none refuses the drop at that point.
void WindowHostWidget::dragArrived(QDropEvent* e, UINT msg, int state) {
    const bool acceptsFiles = (GetWindowLongPtr(m_hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
    if (msg == WM_OLEDRAGENTER || m_dragData == nullptr) {
        std::vector<std::u16string> files = LocalFiles(e->mimeData());
        m_dragData = files.empty() ? nullptr : std::make_unique<DataObject>(std::move(files));
    }
    if (!acceptsFiles || m_dragData == nullptr) {
        m_dragData.reset();
        e->ignore();
        return;
    }
    DropInfo info;
    info.data = m_dragData.get();
    info.effect = e->possibleActions() & Qt::MoveAction && !(e->possibleActions() & Qt::CopyAction)
                      ? vbDropEffectMove
                      : vbDropEffectCopy;
    info.button = DropButton(e->buttons());
    info.shift = DropShift(e->modifiers());
    const QPoint client = toWindow(e->position()) - clientOffset();
    info.pt = POINT{client.x(), client.y()};
    info.state = state;
    SendMessage(m_hwnd, msg, 0, reinterpret_cast<LPARAM>(&info));

    if (info.effect == vbDropEffectNone) {
        // Refusing here must not end the drag: the window may take it further on.
        if (msg == WM_OLEDRAGENTER) {
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
        } else {
            e->ignore();
        }
        return;
    }
    e->setDropAction(info.effect & vbDropEffectMove ? Qt::MoveAction : Qt::CopyAction);
    e->accept();
}

void WindowHostWidget::dragLeft() {
    if (m_dragData == nullptr) return;
    DropInfo info;
    info.data = m_dragData.get();
    info.state = 1;
    SendMessage(m_hwnd, WM_OLEDRAGLEAVE, 0, reinterpret_cast<LPARAM>(&info));
    m_dragData.reset();
}

void WindowHostWidget::resized() {
    const double scale = devicePixelRatioF();
    MoveWindow(m_hwnd, 0, 0, static_cast<int>(std::lround(width() * scale)),
               static_cast<int>(std::lround(height() * scale)), true);
}

} // namespace lumarin::platform::qt
