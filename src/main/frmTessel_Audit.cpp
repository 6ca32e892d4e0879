// SPDX-License-Identifier: MIT
// Heading rules and the review of the chapter list: the rule choice ("自定义条件",
// "自动" or a built-in rule), rows the audit flags (their colour, their reasons
// for the selected row, one action that checks them all), the near misses, and
// the opening lines of the selected chapter.
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/ChapterPreview.h"
#include "engine/headings/HeadingRules.h"
#include "listview/ListView.h"
#include "main/frmNearMisses.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

namespace lumarin::app {

using platform::qt::qs;

namespace {

// Lines of the selected chapter shown under the list: enough to reach a
// heading the rules missed in all but the longest chapters.
constexpr std::size_t kPreviewLines = 3000;
// Lines shown around a line shown on its own (a near miss), and before it.
constexpr std::size_t kLinesAroundShown = 200;
constexpr engine::LineNumber kLinesBeforeShown = 3;

} // namespace

void frmTessel::buildAuditControls() {
    m_cboRule = new QComboBox(this);
    m_lblRule = new QLabel(this);
    m_lblRule->setWordWrap(true);
    m_lblRule->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_lblRule, &QLabel::linkActivated, this, [this](const QString& action) {
        runGuarded(CommandSide::Reading, [this, action] { takeEmptyListAction(action); });
    });
    m_lblRow = new QLabel(this);
    m_lblRow->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_txtPreview = new QPlainTextEdit(this);
    m_txtPreview->setReadOnly(true);
    // Long lines wrap: the preview is for reading, not for columns.
    m_txtPreview->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtPreview->setMinimumHeight(m_txtPreview->fontMetrics().lineSpacing() * 6 + 8);
    m_cmdCheckFlagged = new QPushButton(QStringLiteral("勾选可疑"), this);
    // Nothing to tick before a book is read: disabled, and the tip says why.
    m_cmdCheckFlagged->setEnabled(false);
    m_cmdCheckFlagged->setToolTip(qs(kChooseSourceFirst));
    m_cmdNearMisses = new QPushButton(QStringLiteral("疑似标题(0)"), this);
    m_cmdNearMisses->setToolTip(QStringLiteral("像标题却不符合条件的行"));
    m_cmdNearMisses->setEnabled(false); // until an analysis finds some
    connect(m_cmdCheckFlagged, &QPushButton::clicked, this, [this] { cmdCheckFlagged_Click(); });
    connect(m_cmdNearMisses, &QPushButton::clicked, this, [this] { cmdNearMisses_Click(); });
}

void frmTessel::fillRuleChoice() {
    // Each entry's data names it for the settings: empty for the user's own
    // condition, "auto", or the rule's name.
    m_cboRule->addItem(QStringLiteral("自定义条件"), QString());
    m_cboRule->addItem(QStringLiteral("自动"), QStringLiteral("auto"));
    for (const engine::HeadingRule& rule : engine::BuiltInRules())
        m_cboRule->addItem(qs(rule.name) + QStringLiteral("  ") + qs(rule.example), qs(rule.name));
    // A first run lets the program choose; a saved choice replaces this.
    m_cboRule->setCurrentIndex(kAutomatic);
}

engine::AnalysisRequest frmTessel::analysisRequest() const {
    engine::AnalysisRequest request;
    request.condition = ownCondition();
    const int choice = m_cboRule->currentIndex();
    request.automatic = choice == kAutomatic;
    if (choice >= kFirstRule) request.rule = &engine::BuiltInRules()[choice - kFirstRule];
    request.measureChapters = true;
    request.nearMisses = true;
    request.encoding = inputEncodingChoice();
    return request;
}

void frmTessel::showAnalysisRule(const engine::AnalysisResult& analysis) {
    m_lblRule->setTextFormat(Qt::PlainText); // advice, with its link, is added after
    if (analysis.rule == nullptr && analysis.automatic) {
        m_lblRule->setText(QStringLiteral("未找到章节标题"));
    } else if (analysis.rule == nullptr) {
        m_lblRule->clear();
    } else if (m_cboRule->currentIndex() == kAutomatic) {
        m_lblRule->setText(QStringLiteral("自动选择：") + qs(analysis.rule->name));
    } else {
        m_lblRule->setText(QStringLiteral("规则：") + qs(analysis.rule->name));
    }
    m_cmdNearMisses->setText(QStringLiteral("疑似标题(%1)").arg(analysis.nearMisses.size()));
    // An empty window would only be in the way.
    m_cmdNearMisses->setEnabled(!analysis.nearMisses.empty());
    if (m_frmNearMisses != nullptr) {
        m_frmNearMisses->setNearMisses(analysis.nearMisses);
        if (analysis.nearMisses.empty()) m_frmNearMisses->hide();
    }
}

void frmTessel::refreshAudit() {
    engine::AuditReport report;
    if (m_analysis) report = engine::AuditAnalysisWithNotes(*m_analysis, currentCheckMarks());
    m_flags = std::move(report.flags);
    m_notes = std::move(report.notes);
    std::size_t flagged = 0;
    for (const engine::AuditFlags flags : m_flags)
        flagged += flags != 0 ? 1 : 0;
    m_cmdCheckFlagged->setText(QStringLiteral("勾选可疑(%1)").arg(flagged));
    m_cmdCheckFlagged->setEnabled(flagged > 0);
    m_cmdCheckFlagged->setToolTip(!m_analysis   ? qs(kChooseSourceFirst)
                                  : flagged > 0 ? QStringLiteral("勾选所有标出可疑的行（不作分割点）")
                                                : QStringLiteral("没有标出可疑的行"));
    if (m_lstMemo->Redraw()) m_lstMemo->Refresh();
    showSelectedRow();
}

void frmTessel::showSelectedRow() {
    const std::int32_t row = m_lstMemo->SelectedItem();
    if (!m_analysis || row < 0 || row >= static_cast<std::int32_t>(m_flags.size())) {
        m_lblRow->clear();
        m_txtPreview->clear();
        m_lngPreviewFirst = 0;
        updateReviewActions();
        return;
    }
    const auto r = static_cast<std::size_t>(row);
    QString text = QStringLiteral("第%1行").arg(m_analysis->table.m_lngStartLine[r + 1]);
    if (r < m_analysis->chars.size() && m_analysis->chars[r] >= 0)
        text += QStringLiteral("，共%1字").arg(m_analysis->chars[r]);
    if (m_analysis->table.added(r + 1)) text += QStringLiteral("，手动分章");
    if (m_flags[r] != 0) text += QStringLiteral("　可疑：") + reasonText(r);
    m_lblRow->setText(text);
    // The chapter that opens a volume is read with its volume line above it.
    QString lead;
    for (const engine::Volume& volume : m_analysis->volumes)
        if (static_cast<std::size_t>(volume.firstRow) == r && !volume.sharesLine)
            lead = qs(volume.title) + QStringLiteral("\n…\n");
    std::vector<std::u16string> lines;
    try {
        lines = engine::ChapterOpening(*m_analysis, r, kPreviewLines);
    } catch (const engine::EngineError& error) {
        m_lngPreviewFirst = 0;
        m_txtPreview->setPlainText(qs(error.message()));
        return;
    }
    showPreviewLines(m_analysis->table.m_lngStartLine[r + 1], lines, lead);
}

void frmTessel::showPreviewLines(engine::LineNumber first, const std::vector<std::u16string>& lines,
                                 const QString& lead) {
    QString preview = lead;
    for (const std::u16string& line : lines)
        preview += qs(line) + QLatin1Char('\n');
    m_txtPreview->setPlainText(preview);
    m_lngPreviewFirst = lines.empty() ? 0 : first;
    m_previewLeadLines = static_cast<int>(lead.count(QLatin1Char('\n')));
    updateReviewActions();
}

engine::LineNumber frmTessel::previewLine(int block) const {
    block -= m_previewLeadLines;
    if (m_lngPreviewFirst == 0 || block < 0 ||
        block >= m_txtPreview->document()->blockCount() - 1 - m_previewLeadLines)
        return 0;
    return m_lngPreviewFirst + block;
}

void frmTessel::showLineInPreview(engine::LineNumber line) {
    if (!m_analysis || line < 1) return;
    // A few lines before it show where it stands.
    const engine::LineNumber first = std::max<engine::LineNumber>(1, line - kLinesBeforeShown);
    std::vector<std::u16string> lines;
    try {
        lines = engine::SourceLines(*m_analysis, first, kLinesAroundShown);
    } catch (const engine::EngineError& error) {
        m_lngPreviewFirst = 0;
        m_txtPreview->setPlainText(qs(error.message()));
        return;
    }
    m_lblRow->setText(QStringLiteral("第%1行（疑似标题）").arg(line));
    showPreviewLines(first, lines);
    QTextCursor cursor(m_txtPreview->document()->findBlockByNumber(static_cast<int>(line - first)));
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    m_txtPreview->setTextCursor(cursor);
    m_txtPreview->centerCursor();
}

void frmTessel::cmdCheckFlagged_Click() {
    if (m_blnOutputRunning) return;
    std::vector<std::int32_t> rows;
    for (std::size_t r = 0; r < m_flags.size(); ++r)
        if (m_flags[r] != 0) rows.push_back(static_cast<std::int32_t>(r));
    if (rows.empty() || !confirmCheckFlagged(rows)) return;
    const std::int32_t top = m_lstMemo->TopIndex();
    for (const std::int32_t r : rows)
        m_lstMemo->ItemChecked(r, true);
    renumberLabels();
    lstMemo_ItemCheck(-1); // one step to undo, the renumbering with it
    m_lstMemo->TopIndex(top);
}

void frmTessel::cmdNearMisses_Click() {
    if (m_frmNearMisses == nullptr)
        m_frmNearMisses = new frmNearMisses(this, [this](engine::LineNumber line) {
            runGuarded(CommandSide::Reading, [this, line] { showLineInPreview(line); });
        });
    m_frmNearMisses->setNearMisses(m_analysis ? m_analysis->nearMisses
                                              : std::vector<engine::NearMiss>{});
    // The list's place, whether it shows the list or the words about an empty one.
    const QWidget* shown = m_stkList->currentWidget();
    const QRect list(shown->mapToGlobal(QPoint(0, 0)), shown->size());
    m_frmNearMisses->showBesideList(list);
}

QPlainTextEdit* frmTessel::txtNearMisses() const {
    return m_frmNearMisses != nullptr ? m_frmNearMisses->txtList() : nullptr;
}

} // namespace lumarin::app
