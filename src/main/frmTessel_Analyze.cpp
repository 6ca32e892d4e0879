#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Renumbering.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QPlainTextEdit>
#include <memory>

namespace lumarin::app {

using platform::qt::qs;

void frmTessel::cmdAnalyze_Click() {
    analyseSource(MissingSource::Silent);
}

void frmTessel::analyseSource(MissingSource missing) {
    if (m_blnOutputRunning) return; // the output is reading the current table
    m_strSource = std::u16string(engine::TrimSpaces(m_txtFile->toPlainText().toStdU16String()));
    if (m_strSource.empty()) return;

    engine::AnalysisResult analysis;
    try {
        analysis = engine::AnalyzeRun(runRequest());
    } catch (const engine::EngineError& error) {
        // A missing file stops silently unless asked to say so; anything else
        // is said, and nothing changes.
        if (error.code() != engine::ErrorCode::NoSuchFile || missing == MissingSource::Warn)
            warn(error.message());
        return;
    }
    try {
        fillChapterList(analysis);
    } catch (...) {
        // A half-filled list belongs to no table: drop both.
        m_analysis.reset();
        m_lngCount = 0;
        m_lstMemo->Clear();
        throw;
    }
    m_lngCount = analysis.m_lngCount;
    showAnalysisRule(analysis);
    m_analysis = std::move(analysis);

    cmdOrder_Click();
    lstMemo_ItemCheck(-1);
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
        if (analysis.checked[r]) list.ItemChecked(r, true);
    }
    setCaptionCount(analysis.m_lngCount, analysis.m_lngCount);
}

void frmTessel::cmdOrder_Click() {
    listview::ListView& list = *m_lstMemo;
    const std::vector<std::u16string> labels = engine::RenumberLabels(currentCheckMarks());
    // One repaint for the whole column rather than one per row.
    const bool redraw = list.Redraw();
    if (redraw) list.Redraw(false);
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(labels.size()); ++r)
        list.ItemText(r, 0, labels[r]);
    if (redraw) list.Redraw(true);
}

void frmTessel::lstMemo_ItemCheck(std::int32_t /*ItemIndex*/) {
    refreshAudit();
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
