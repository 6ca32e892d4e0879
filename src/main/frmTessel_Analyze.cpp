// SPDX-License-Identifier: MIT
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Renumbering.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <memory>

namespace lumarin::app {

using platform::qt::qs;

void frmTessel::cmdAnalyze_Click() {
    analyseSource();
}

void frmTessel::analyseSource() {
    if (m_blnOutputRunning) return; // the output is reading the current table
    m_strSource = std::u16string(engine::TrimSpaces(m_txtFile->toPlainText().toStdU16String()));
    if (m_strSource.empty()) {
        warn(kChooseSourceFirst);
        return;
    }

    engine::AnalysisResult analysis;
    const engine::RunRequest run = runRequest();
    try {
        analysis = engine::AnalyzeRun(run);
    } catch (const engine::EngineError& error) {
        // Said at once (a missing file too), and nothing changes: the list
        // keeps the book it shows, and its caption names that book.
        warn(error.message());
        return;
    }
    // What the last output wrote belongs to the book it was made from.
    if (!m_analysis || m_analysis->m_strSource != analysis.m_strSource) clearOutputDone();
    try {
        fillChapterList(analysis);
    } catch (...) {
        // A half-filled list belongs to no table: drop both.
        m_analysis.reset();
        m_lngCount = 0;
        m_lstMemo->Clear();
        throw;
    }
    showAnalysisRule(analysis);
    coverFollowsBook(analysis.m_strSource);
    startReview(std::move(analysis));
    countRemovedLines();
    showConditionInUse(); // the automatic choice has chosen its rule
    showListBook();
    showBookTitle();
    if (m_lngCount == 0) {
        showEmptyListReason(run.analysis, *m_analysis);
    } else {
        hideEmptyListReason();
        showRuleAdvice(run.analysis, *m_found);
    }
    // The condition and choices that made this list are kept at once, not
    // only when the window closes.
    saveSettings();
}

void frmTessel::showListBook() {
    if (!m_analysis) {
        m_lblBook->setText(QStringLiteral("章节列表：（未打开）"));
        m_lblBook->setToolTip(QString());
        return;
    }
    m_lblBook->setText(QStringLiteral("章节列表：") +
                       qs(m_analysis->m_strSource.filename().u16string()));
    m_lblBook->setToolTip(qs(m_analysis->m_strSource.u16string()));
}

void frmTessel::fillChapterList(const engine::AnalysisResult& analysis) {
    listview::ListView& list = *m_lstMemo;
    list.Clear();
    list.Redraw(false);
    // However the filling ends, the list paints again.
    const std::unique_ptr<listview::ListView, void (*)(listview::ListView*)> redrawAgain(
        &list, [](listview::ListView* l) { l->Redraw(true); });
    const engine::ChapterTable& table = analysis.table;
    for (std::int32_t k = 1; k <= analysis.m_lngCount; ++k) {
        const std::int32_t r = list.AddItem(-1, engine::ToU16Decimal(k));
        list.ItemText(r, 1, table.m_strHeading[k]);
        list.ItemText(r, 2, table.previewText(k));
        const std::size_t row = static_cast<std::size_t>(r);
        if (row < analysis.rowVolume.size() && analysis.rowVolume[row] >= 0)
            list.ItemText(
                r, 3, analysis.volumes[static_cast<std::size_t>(analysis.rowVolume[row])].title);
        if (analysis.checked[r]) list.ItemChecked(r, true);
    }
    setCaptionCount(analysis.m_lngCount, analysis.m_lngCount);
}

void frmTessel::cmdOrder_Click() {
    renumberLabels();
    recordReview();
}

void frmTessel::renumberLabels() {
    listview::ListView& list = *m_lstMemo;
    m_ordered = currentCheckMarks();
    const std::vector<std::u16string> labels = engine::RenumberLabels(m_ordered);
    // One repaint for the whole column rather than one per row.
    const bool redraw = list.Redraw();
    if (redraw) list.Redraw(false);
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(labels.size()); ++r)
        list.ItemText(r, 0, labels[r]);
    if (redraw) list.Redraw(true);
}

void frmTessel::lstMemo_ItemCheck(std::int32_t /*ItemIndex*/) {
    refreshAudit();
    recordReview();
    if (m_lstMemo->ItemCount() == 0) return;
    const engine::CheckCount count = engine::CountUnchecked(currentCheckMarks());
    setCaptionCount(m_lngCount - (count.total - count.unchecked), m_lngCount);
}

std::vector<bool> frmTessel::currentCheckMarks() const {
    std::vector<bool> checked(static_cast<std::size_t>(m_lstMemo->ItemCount()));
    for (std::int32_t r = 0; r < m_lstMemo->ItemCount(); ++r)
        checked[r] = m_lstMemo->ItemChecked(r);
    return checked;
}

void frmTessel::setCaptionCount(std::int32_t unchecked, std::int32_t total) {
    setWindowTitle(qs(kProductCaption) + QStringLiteral(" - %1/%2").arg(unchecked).arg(total));
}

} // namespace lumarin::app
