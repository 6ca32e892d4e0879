// SPDX-License-Identifier: MIT
// Cleaning as the window offers it: the lines "清理广告" removes, listed on
// request with their line numbers and reasons, and the book's cover picture.
#include "engine/base/TextUtil.h"
#include "engine/cleanup/TextCleanup.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "main/modTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumarin::app {

using platform::qt::qs;

void frmTessel::chooseCover() {
    const std::u16string chosen = ShowCoverDialog(m_lstMemo->hWnd(), FolderOf(m_strSource));
    if (chosen.empty()) return;
    m_strCover = qs(chosen);
    m_cmdCover->setToolTip(m_strCover);
    m_cmdCover->setText(QStringLiteral("封面✓"));
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
        text += QString::number(removed.line) + QLatin1Char('\t') +
                QString::fromUtf8(engine::RemovalReasonName(removed.reason).data()) +
                QLatin1Char('\t') + qs(removed.text) + QLatin1Char('\n');
    }
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
