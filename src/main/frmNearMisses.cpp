// SPDX-License-Identifier: MIT
#include "main/frmNearMisses.h"

#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

namespace lumarin::app {

using platform::qt::qs;

frmNearMisses::frmNearMisses(QWidget* owner, LineChosen onLineChosen)
    : QWidget(owner, Qt::Tool), m_onLineChosen(std::move(onLineChosen)) {
    setWindowTitle(QStringLiteral("疑似标题"));
    m_txtList = new QPlainTextEdit(this);
    m_txtList->setReadOnly(true);
    m_txtList->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtList->setAccessibleName(QStringLiteral("疑似标题"));
    m_txtList->viewport()->installEventFilter(this);
    m_txtList->installEventFilter(this);
    m_lblHint = new QLabel(QStringLiteral("双击一行，在预览中显示它"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtList, 1);
    layout->addWidget(m_lblHint);
    // Its size follows the font: about forty characters by fifteen lines.
    const QFontMetrics metrics = fontMetrics();
    m_wantedSize = QSize(metrics.horizontalAdvance(QLatin1Char('M')) * 40, metrics.lineSpacing() * 18);
    resize(m_wantedSize);
    // The line shown in the preview stays marked while the main window has the focus.
    QPalette palette = m_txtList->palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    m_txtList->setPalette(palette);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
}

void frmNearMisses::setNearMisses(const std::vector<engine::NearMiss>& misses) {
    QString text;
    m_lines.clear();
    for (const engine::NearMiss& miss : misses) {
        text += QStringLiteral("第%1行\t").arg(miss.line) + qs(miss.text) + QLatin1Char('\n');
        m_lines.push_back(miss.line);
    }
    m_txtList->setPlainText(text);
}

void frmNearMisses::showBesideList(const QRect& list) {
    // A tool window stays above its owner; it follows the owner's stay-on-top
    // choice so that it never hides behind it.
    const bool ownerOnTop = parentWidget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != ownerOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    setGeometry(placeBesideList(list));
    show();
    // Placed again once shown: only a shown window knows its frame.
    setGeometry(placeBesideList(list));
    raise();
    activateWindow();
    m_txtList->setFocus(Qt::OtherFocusReason);
}

// The preview under the list is where a chosen line shows, so the window keeps
// off it: to the right of the main window, level with the list, when the
// screen has room there, else over the list's right part, no taller than it.
QRect frmNearMisses::placeBesideList(const QRect& list) const {
    const QRect owner = parentWidget()->window()->frameGeometry();
    const QScreen* shown = parentWidget()->screen();
    const QRect area = shown != nullptr ? shown->availableGeometry() : owner.united(list);
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    QSize size = m_wantedSize;
    const int besideWidth = area.x() + area.width() - (owner.x() + owner.width());
    if (besideWidth >= size.width() + frame.left() + frame.right()) {
        size.setHeight(std::min(size.height(), area.height() - frame.top() - frame.bottom()));
        QRect beside(QPoint(owner.x() + owner.width() + frame.left(), list.top()), size);
        beside.moveBottom(std::min(beside.bottom(), area.bottom() - frame.bottom()));
        beside.moveTop(std::max(beside.top(), area.top() + frame.top()));
        return beside;
    }
    size = size.boundedTo(list.size().shrunkBy(frame));
    return QRect(QPoint(list.right() - frame.right() - size.width() + 1, list.top() + frame.top()),
                 size);
}

engine::LineNumber frmNearMisses::lineOf(int block) const {
    if (block < 0 || block >= static_cast<int>(m_lines.size())) return 0;
    return m_lines[static_cast<std::size_t>(block)];
}

void frmNearMisses::chooseBlock(int block) {
    const engine::LineNumber line = lineOf(block);
    if (line <= 0) return;
    QTextCursor chosen(m_txtList->document()->findBlockByNumber(block));
    chosen.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    m_txtList->setTextCursor(chosen);
    if (m_onLineChosen) m_onLineChosen(line);
}

bool frmNearMisses::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(event);
        chooseBlock(m_txtList->cursorForPosition(click->position().toPoint()).blockNumber());
        return true;
    }
    if (watched == m_txtList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseBlock(m_txtList->textCursor().blockNumber());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumarin::app
