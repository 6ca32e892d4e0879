// SPDX-License-Identifier: MIT
// Cleaning as the window offers it: the lines "清理广告" removes, counted for
// the book shown and listed on request with their line numbers and reasons;
// and the book's cover picture, which belongs to the book it was chosen for.
#include "engine/base/TextUtil.h"
#include "engine/cleanup/TextCleanup.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "main/modTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarin::app {

using platform::qt::qs;

void frmTessel::chooseCover() {
    const std::u16string chosen = ShowCoverDialog(m_lstMemo->hWnd(), FolderOf(m_strSource));
    if (chosen.empty()) return;
    m_strCover = qs(chosen);
    // The cover is this book's; before any book, the next book's.
    m_strCoverBook = m_analysis ? m_analysis->m_strSource : std::filesystem::path();
    m_cmdCover->setToolTip(m_strCover);
    m_cmdCover->setText(QStringLiteral("封面✓"));
    // With a cover the button offers to change it or to go without one.
    if (m_cmdCover->menu() == nullptr) {
        auto* menu = new QMenu(m_cmdCover);
        connect(menu->addAction(QStringLiteral("更换封面…")), &QAction::triggered, this,
                [this] { runGuarded(CommandSide::Reading, [this] { chooseCover(); }); });
        m_mnuNoCover = menu->addAction(QStringLiteral("无封面"));
        connect(m_mnuNoCover, &QAction::triggered, this, [this] { clearCover(); });
        m_cmdCover->setMenu(menu);
    }
}

void frmTessel::clearCover() {
    m_strCover.clear();
    m_strCoverBook.clear();
    m_cmdCover->setToolTip(QString());
    m_cmdCover->setText(QStringLiteral("封面…"));
    if (QMenu* menu = m_cmdCover->menu()) {
        m_cmdCover->setMenu(nullptr);
        menu->deleteLater();
    }
    m_mnuNoCover = nullptr;
}

void frmTessel::coverFollowsBook(const std::filesystem::path& source) {
    if (m_strCover.isEmpty()) return;
    if (m_strCoverBook.empty()) {
        m_strCoverBook = source; // chosen before a book was open: this one's
    } else if (m_strCoverBook != source) {
        clearCover(); // another book's cover must not end up on this one
    }
}

namespace {

// The reasons as the window says them.
QString ReasonLabel(engine::RemovalReason reason) {
    switch (reason) {
    case engine::RemovalReason::Ad:
        return QStringLiteral("广告");
    case engine::RemovalReason::PageMarker:
        return QStringLiteral("页码");
    case engine::RemovalReason::Repeated:
        return QStringLiteral("重复行");
    }
    return {};
}

} // namespace

void frmTessel::countRemovedLines() {
    // The count is what cleaning would remove from the book shown; without
    // cleaning (or a book) the button carries none.
    if (!m_analysis || !m_chkClean->isChecked()) {
        m_cmdRemoved->setText(QStringLiteral("删除的行"));
        return;
    }
    const engine::TextCleanup cleanup =
        engine::PlanCleanup(*m_analysis, currentCheckMarks(), {true, false});
    m_cmdRemoved->setText(QStringLiteral("删除的行(%1)").arg(cleanup.removed.size()));
}

void frmTessel::showRemovedLines() {
    if (!m_analysis) {
        platform::MessageBox(m_lstMemo->hWnd(), u"请先分析。", kAppTitle,
                             platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    const engine::TextCleanup cleanup =
        engine::PlanCleanup(*m_analysis, currentCheckMarks(), {true, false});
    QString text;
    for (const engine::RemovedLine& removed : cleanup.removed) {
        text += QString::number(removed.line) + QLatin1Char('\t') + ReasonLabel(removed.reason) +
                QLatin1Char('\t') + qs(removed.text) + QLatin1Char('\n');
    }
    if (cleanup.removed.empty()) text = QStringLiteral("“清理广告”在这本书里没有要删除的行。");
    const QString title = QStringLiteral("删除的行(%1)").arg(cleanup.removed.size());
    m_cmdRemoved->setText(title);
    QDialog dialog(this);
    dialog.setWindowTitle(title);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setObjectName(QStringLiteral("removedLines"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    dialog.resize(width() * 2 / 3, height() * 2 / 3);
    dialog.exec();
}

} // namespace lumarin::app
