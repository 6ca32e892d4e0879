// SPDX-License-Identifier: MIT
#include "main/frmNearMisses.h"

#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

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
    resize(metrics.horizontalAdvance(QLatin1Char('M')) * 40, metrics.lineSpacing() * 18);
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

void frmNearMisses::showOverOwner() {
    // A tool window stays above its owner; it follows the owner's stay-on-top
    // choice so that it never hides behind it.
    const bool ownerOnTop = parentWidget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != ownerOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, ownerOnTop);
    QRect area = geometry();
    area.moveCenter(parentWidget()->window()->geometry().center());
    setGeometry(area);
    show();
    raise();
    activateWindow();
    m_txtList->setFocus(Qt::OtherFocusReason);
}

engine::LineNumber frmNearMisses::lineOf(int block) const {
    if (block < 0 || block >= static_cast<int>(m_lines.size())) return 0;
    return m_lines[static_cast<std::size_t>(block)];
}

void frmNearMisses::chooseBlock(int block) {
    const engine::LineNumber line = lineOf(block);
    if (line > 0 && m_onLineChosen) m_onLineChosen(line);
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
