// SPDX-License-Identifier: MIT
// The reader's review of the chapter list beyond ticking rows: every change
// can be undone and redone, a split can be added at a line the rules missed
// (from the preview), a line can open a volume the rules missed, a title can
// be corrected in place, and the whole review
// is kept beside the settings under the source's checksum, to come back when
// the same book is opened again. Export and import use the same file, which
// `lumarin-split --toc` splits by.
//
// The list shows m_analysis, which is always m_found with m_edits applied; a
// state of the history is the check marks, the marks the first column was
// numbered by, and the edits.
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/ChapterPreview.h"
#include "engine/headings/Renumbering.h"
#include "engine/headings/ReviewFile.h"
#include "engine/source/SourceChecksum.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/ReviewStore.h"
#include "main/frmTessel.h"
#include "platform/Services.h"
#include "platform/Window.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>

namespace lumarin::app {

using platform::qt::qs;

namespace {

constexpr std::int32_t kTitleColumn = 2;
// Headings named in the question before ticking every doubted row.
constexpr std::size_t kHeadingsAsked = 5;

const std::vector<std::pair<std::u16string, std::u16string>> kReviewFilter = {
    {u"审阅文件(*.json)", u"*.json"}, {u"所有文件(*.*)", u"*"}};

// "第43章", or in the unit of the rule in use ("第43回").
QString Numbered(const engine::AnalysisResult& analysis, const QString& number) {
    QString unit = QStringLiteral("第N章");
    if (analysis.rule != nullptr && analysis.rule->name.starts_with(u"第N"))
        unit = qs(analysis.rule->name);
    return unit.replace(QLatin1Char('N'), number);
}

QString Numbers(const engine::AnalysisResult& analysis, std::int32_t first, std::int32_t last) {
    return Numbered(analysis, first == last ? QString::number(first)
                                            : QStringLiteral("%1–%2").arg(first).arg(last));
}

} // namespace

void frmTessel::buildReviewActions() {
    const auto action = [this](const char16_t* text, QWidget* owner, QKeySequence keys,
                               Qt::ShortcutContext context, void (frmTessel::*handler)()) {
        auto* act = new QAction(qs(text), owner);
        act->setShortcut(keys);
        act->setShortcutContext(context);
        owner->addAction(act);
        connect(act, &QAction::triggered, this,
                [this, handler] { runGuarded(CommandSide::Other, [this, handler] { (this->*handler)(); }); });
        return act;
    };
    m_mnuUndo = action(u"撤销", this, QKeySequence::Undo, Qt::WindowShortcut, &frmTessel::Undo);
    m_mnuRedo = action(u"重做", this, QKeySequence(Qt::CTRL | Qt::Key_Y), Qt::WindowShortcut,
                       &frmTessel::Redo);
    m_mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_mnuRename = action(u"改标题", m_lstMemoHost, QKeySequence(Qt::Key_F2), Qt::WidgetShortcut,
                         &frmTessel::BeginRenameTitle);
    m_mnuRemoveSplit = action(u"删除手动分章", m_lstMemoHost, QKeySequence(Qt::Key_Delete),
                              Qt::WidgetShortcut, &frmTessel::RemoveAddedSplit);
    m_mnuSplitHere = action(u"从此行分章", m_txtPreview, QKeySequence(Qt::CTRL | Qt::Key_Return),
                            Qt::WidgetShortcut, &frmTessel::cmdSplitHere_Click);
    m_mnuVolumeHere = action(u"从此行分卷", m_txtPreview, QKeySequence(), Qt::WidgetShortcut,
                             &frmTessel::cmdVolumeHere_Click);
    m_mnuFreshReview = new QAction(QStringLiteral("重新审阅（丢弃保存的审阅）"), this);
    m_mnuExportReview = new QAction(QStringLiteral("导出审阅…"), this);
    m_mnuImportReview = new QAction(QStringLiteral("导入审阅…"), this);
    connect(m_mnuFreshReview, &QAction::triggered, this,
            [this] { runGuarded(CommandSide::Other, [this] { StartReviewAfresh(); }); });
    connect(m_mnuExportReview, &QAction::triggered, this,
            [this] { runGuarded(CommandSide::Other, [this] { ExportReview(); }); });
    connect(m_mnuImportReview, &QAction::triggered, this,
            [this] { runGuarded(CommandSide::Other, [this] { ImportReview(); }); });

    QMenu* menu = m_cmdOptions->menu();
    menu->addSeparator();
    menu->addActions({m_mnuUndo, m_mnuRedo, m_mnuRename, m_mnuRemoveSplit, m_mnuSplitHere});
    menu->addSeparator();
    menu->addActions({m_mnuExportReview, m_mnuImportReview, m_mnuFreshReview});

    m_txtPreview->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_txtPreview, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { showPreviewMenu(pos); });
    connect(m_lblState, &QLabel::linkActivated, this, [this](const QString&) {
        runGuarded(CommandSide::Other, [this] { StartReviewAfresh(); });
    });
    updateReviewActions();
}

// ---- the states ---------------------------------------------------------------------------

void frmTessel::startReview(engine::AnalysisResult found) {
    finishTitleEditor(false);
    m_lngCount = found.m_lngCount;
    m_found = std::move(found);
    m_analysis = m_found;
    m_edits = {};
    renumberLabels();
    m_history.reset(reviewState());
    m_afreshFrom.reset();
    try {
        m_strChecksum = engine::SourceChecksum(m_found->m_strSource);
    } catch (const engine::EngineError&) {
        m_strChecksum.clear(); // read again at the output, which says what is wrong
    }
    lstMemo_ItemCheck(-1);
    restoreSavedReview();
    updateReviewActions();
}

ReviewState frmTessel::reviewState() const {
    return ReviewState{currentCheckMarks(), m_ordered, m_edits};
}

void frmTessel::recordReview() {
    if (!m_found) return;
    if (m_history.record(reviewState())) saveReview();
    updateReviewActions();
}

// Puts a state on the list: the table again when the edits differ, the marks,
// the first column. The list stays where it was scrolled to.
void frmTessel::applyReviewState(const ReviewState& state) {
    finishTitleEditor(false);
    listview::ListView& list = *m_lstMemo;
    const std::int32_t top = list.TopIndex();
    const std::int32_t selected = list.SelectedItem();
    const engine::LineNumber selectedLine =
        m_analysis && selected >= 0 && selected < m_analysis->m_lngCount
            ? m_analysis->table.m_lngStartLine[static_cast<std::size_t>(selected) + 1]
            : 0;
    if (state.edits != m_edits) {
        m_edits = state.edits;
        m_analysis = engine::ApplyEdits(*m_found, m_edits);
        m_lngCount = m_analysis->m_lngCount;
        fillChapterList(*m_analysis);
        const std::int32_t row = engine::RowStartingAt(m_analysis->table, selectedLine);
        if (row >= 0) {
            list.ItemSelected(row, true);
            list.SelectedItem(row);
        }
    }
    const bool redraw = list.Redraw();
    if (redraw) list.Redraw(false);
    for (std::int32_t r = 0; r < list.ItemCount() && r < static_cast<std::int32_t>(state.checked.size()); ++r)
        if (list.ItemChecked(r) != state.checked[r]) list.ItemChecked(r, state.checked[r]);
    m_ordered = state.ordered;
    const std::vector<std::u16string> labels = engine::RenumberLabels(m_ordered);
    for (std::int32_t r = 0; r < static_cast<std::int32_t>(labels.size()) && r < list.ItemCount(); ++r)
        list.ItemText(r, 0, labels[r]);
    if (redraw) list.Redraw(true);
    list.TopIndex(top);
    refreshAudit();
    const engine::CheckCount count = engine::CountUnchecked(currentCheckMarks());
    setCaptionCount(count.unchecked, m_lngCount);
}

void frmTessel::Undo() {
    if (m_blnOutputRunning || !m_history.canUndo()) return;
    applyReviewState(m_history.undo());
    saveReview();
    updateReviewActions();
    if (m_afreshFrom && *m_afreshFrom == m_history.current())
        setStatusText(QStringLiteral("已撤销重新审阅，之前的审阅已恢复"));
}

void frmTessel::Redo() {
    if (m_blnOutputRunning || !m_history.canRedo()) return;
    applyReviewState(m_history.redo());
    saveReview();
    updateReviewActions();
}

void frmTessel::updateReviewActions() {
    if (m_mnuUndo == nullptr) return;
    m_mnuUndo->setEnabled(m_history.canUndo());
    m_mnuRedo->setEnabled(m_history.canRedo());
    const std::int32_t row = m_lstMemo->SelectedItem();
    const bool rowShown = m_analysis && row >= 0 && row < m_analysis->m_lngCount;
    m_mnuRename->setEnabled(rowShown);
    m_mnuRemoveSplit->setEnabled(rowShown &&
                                 m_analysis->table.added(static_cast<std::size_t>(row) + 1));
    m_mnuSplitHere->setEnabled(m_lngPreviewFirst > 0);
    m_mnuVolumeHere->setEnabled(m_lngPreviewFirst > 0);
    m_mnuFreshReview->setEnabled(m_found.has_value());
    m_mnuExportReview->setEnabled(m_found.has_value() && !m_strChecksum.empty());
    m_mnuImportReview->setEnabled(m_found.has_value() && !m_strChecksum.empty());
}

// ---- ticking every doubted row ------------------------------------------------------------

bool frmTessel::confirmCheckFlagged(const std::vector<std::int32_t>& rows) {
    QString question = QStringLiteral("勾选%1个可疑的行（不作分割点）？").arg(rows.size());
    for (std::size_t i = 0; i < rows.size() && i < kHeadingsAsked; ++i)
        question += QStringLiteral("\n　") + qs(m_lstMemo->ItemText(rows[i], 1));
    if (rows.size() > kHeadingsAsked) question += QStringLiteral("\n　……");
    question += QStringLiteral("\n（可以撤销：Ctrl+Z）");
    return platform::MessageBox(m_lstMemo->hWnd(), question.toStdU16String(), kAppTitle,
                                platform::MB_YESNO | platform::MB_ICONQUESTION) == platform::IDYES;
}

QString frmTessel::reasonText(std::size_t row) const {
    QString text;
    const auto add = [&text](const QString& reason) {
        if (!text.isEmpty()) text += QStringLiteral("、");
        text += reason;
    };
    const engine::AuditFlags flags = m_flags[row];
    const engine::AuditNote note = row < m_notes.size() ? m_notes[row] : engine::AuditNote{};
    for (const auto& reason : engine::FlagReasons(flags)) {
        if (reason == u"重复" && note.sameAs >= 0) {
            const auto entry = static_cast<std::size_t>(note.sameAs) + 1;
            add(QStringLiteral("重复：与第%1行同为").arg(m_analysis->table.m_lngStartLine[entry]) +
                Numbered(*m_analysis, QString::number(m_analysis->table.m_intChapterNo[entry])));
        } else if (reason == u"缺章" && note.missingFirst > 0) {
            add(QStringLiteral("缺章：") +
                Numbers(*m_analysis, note.missingFirst, note.missingLast));
        } else {
            add(qs(reason));
        }
    }
    return text;
}

// ---- splits the reader adds ---------------------------------------------------------------

bool frmTessel::SplitAtLine(engine::LineNumber asked) {
    if (m_blnOutputRunning || !m_found) return false;
    // A split asked for at a blank line falls on the next line with text.
    const engine::SplitLine split = engine::SplitLinesAt(*m_found, {asked}).front();
    const engine::LineNumber line = split.line;
    if (line == 0) return false;
    const std::int32_t existing = engine::RowStartingAt(m_analysis->table, line);
    if (existing >= 0) {
        m_lstMemo->UnSelectAll();
        m_lstMemo->ItemSelected(existing, true);
        m_lstMemo->SelectedItem(existing);
        m_lstMemo->MakeSureVisible(existing);
        showSelectedRow();
        setStatusText(QStringLiteral("第%1行已是分割点").arg(line));
        return false;
    }
    ReviewState state = reviewState();
    state.edits.add(line, split.text);
    const engine::AnalysisResult edited = engine::ApplyEdits(*m_found, state.edits);
    const std::int32_t row = engine::RowStartingAt(edited.table, line);
    if (row < 0) return false;
    state.checked.insert(state.checked.begin() + row, false);
    state.ordered.insert(state.ordered.begin() + row, false);
    applyReviewState(state);
    m_lstMemo->UnSelectAll();
    m_lstMemo->ItemSelected(row, true);
    m_lstMemo->SelectedItem(row);
    showSelectedRow();
    recordReview();
    return true;
}

void frmTessel::cmdSplitHere_Click() {
    const engine::LineNumber line = previewLine(m_txtPreview->textCursor().blockNumber());
    if (line > 0) SplitAtLine(line);
}

bool frmTessel::MarkVolumeAtLine(engine::LineNumber line) {
    if (m_blnOutputRunning || !m_found) return false;
    if (engine::VolumeAtLine(*m_analysis, line) >= 0) {
        setStatusText(QStringLiteral("第%1行已是分卷").arg(line));
        return false;
    }
    const std::vector<engine::SplitLine> at = engine::SplitLinesAt(*m_found, {line});
    if (at.empty() || at.front().line != line || engine::TrimBlanks(at.front().text).empty()) {
        setStatusText(QStringLiteral("第%1行是空行，不能分卷").arg(line));
        return false;
    }
    ReviewState state = reviewState();
    state.edits.volumes[line] = at.front().text;
    applyReviewState(state);
    recordReview();
    setStatusText(QStringLiteral("第%1行起为新的一卷（可以撤销）").arg(line));
    return true;
}

void frmTessel::cmdVolumeHere_Click() {
    const engine::LineNumber line = previewLine(m_txtPreview->textCursor().blockNumber());
    if (line > 0) MarkVolumeAtLine(line);
}

void frmTessel::showPreviewMenu(const QPoint& pos) {
    // The line under the pointer becomes the current one, as a click would make it.
    m_txtPreview->setTextCursor(m_txtPreview->cursorForPosition(pos));
    updateReviewActions();
    std::unique_ptr<QMenu> menu(m_txtPreview->createStandardContextMenu(pos));
    menu->insertAction(menu->actions().value(0), m_mnuSplitHere);
    menu->insertAction(menu->actions().value(1), m_mnuVolumeHere);
    menu->insertSeparator(menu->actions().value(2));
    menu->exec(m_txtPreview->viewport()->mapToGlobal(pos));
}

void frmTessel::RemoveAddedSplit() {
    const std::int32_t row = m_lstMemo->SelectedItem();
    if (m_blnOutputRunning || !m_analysis || row < 0 || row >= m_analysis->m_lngCount) return;
    const engine::LineNumber line = m_analysis->table.m_lngStartLine[static_cast<std::size_t>(row) + 1];
    ReviewState state = reviewState();
    if (!state.edits.remove(line)) return;
    state.checked.erase(state.checked.begin() + row);
    state.ordered.erase(state.ordered.begin() + row);
    applyReviewState(state);
    recordReview();
}

// ---- corrected titles ---------------------------------------------------------------------

void frmTessel::RenameTitle(std::int32_t row, const std::u16string& title) {
    if (m_blnOutputRunning || !m_analysis || row < 0 || row >= m_analysis->m_lngCount) return;
    const auto entry = static_cast<std::size_t>(row) + 1;
    const engine::LineNumber line = m_analysis->table.m_lngStartLine[entry];
    const std::u16string wanted(engine::TrimBlanks(title));
    // The title the rules found (or the line, for an added row) is no correction.
    const engine::AnalysisResult bare = [&] {
        engine::ChapterEdits edits = m_edits;
        edits.titles.erase(line);
        return engine::ApplyEdits(*m_found, edits);
    }();
    ReviewState state = reviewState();
    if (wanted.empty() || wanted == bare.table.m_strTitle[entry])
        state.edits.titles.erase(line);
    else
        state.edits.titles[line] = wanted;
    applyReviewState(state);
    recordReview();
}

void frmTessel::BeginRenameTitle() {
    const std::int32_t row = m_lstMemo->SelectedItem();
    if (m_blnOutputRunning || !m_analysis || row < 0 || row >= m_analysis->m_lngCount) return;
    finishTitleEditor(false);
    m_lstMemo->MakeSureVisible(row);
    const platform::RECT cell = m_lstMemo->CellRect(row, kTitleColumn);
    const platform::RECT frame = platform::GetFrameInsets(m_lstMemo->hWnd());
    const double scale = m_lstMemoHost->devicePixelRatioF();
    const QRect box(QPoint(static_cast<int>((cell.left + frame.left) / scale),
                           static_cast<int>((cell.top + frame.top) / scale)),
                    QPoint(static_cast<int>((cell.right + frame.left) / scale) - 1,
                           static_cast<int>((cell.bottom + frame.top) / scale) - 1));
    m_lngEditedRow = row;
    m_txtTitleEditor = new QLineEdit(m_lstMemoHost);
    m_txtTitleEditor->setAccessibleName(QStringLiteral("更正标题"));
    m_txtTitleEditor->setText(qs(m_analysis->table.m_strTitle[static_cast<std::size_t>(row) + 1]));
    m_txtTitleEditor->selectAll();
    m_txtTitleEditor->setGeometry(box.adjusted(0, -2, 0, 2));
    m_txtTitleEditor->installEventFilter(this);
    connect(m_txtTitleEditor, &QLineEdit::returnPressed, this,
            [this] { runGuarded(CommandSide::Other, [this] { finishTitleEditor(true); }); });
    connect(m_txtTitleEditor, &QLineEdit::editingFinished, this, [this] {
        // Leaving the editor keeps what was typed, as Enter does.
        if (m_txtTitleEditor != nullptr && !m_txtTitleEditor->hasFocus())
            runGuarded(CommandSide::Other, [this] { finishTitleEditor(true); });
    });
    m_txtTitleEditor->show();
    m_txtTitleEditor->setFocus();
}

void frmTessel::finishTitleEditor(bool keep) {
    if (m_txtTitleEditor == nullptr) return;
    QLineEdit* editor = std::exchange(m_txtTitleEditor, nullptr);
    const std::int32_t row = std::exchange(m_lngEditedRow, -1);
    const std::u16string title = editor->text().toStdU16String();
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    m_lstMemoHost->setFocus();
    if (keep) RenameTitle(row, title);
}

void frmTessel::DblClick(std::int32_t ItemIndex) {
    if (m_intPressedColumn == kTitleColumn && ItemIndex == m_lstMemo->SelectedItem())
        runGuarded(CommandSide::Other, [this] { BeginRenameTitle(); });
}

void frmTessel::MouseDown(std::int32_t /*ItemIndex*/, std::int16_t /*MouseButton*/,
                          std::int16_t /*Shift*/, float X, float Y) {
    m_intPressedColumn =
        m_lstMemo->ColumnFromPoint(static_cast<std::int32_t>(X), static_cast<std::int32_t>(Y));
}

// ---- the review kept between runs ---------------------------------------------------------

void frmTessel::saveReview() const {
    if (!m_found || m_strChecksum.empty() || m_history.empty()) return;
    const ReviewState state = reviewState();
    // A review that changes nothing the analysis gives is no review to keep.
    if (state.edits.empty() && state.checked == m_found->checked) {
        ReviewStore::forget(m_strChecksum);
        return;
    }
    const engine::ReviewFile file = engine::ReviewOf(*m_analysis, state.checked, m_strChecksum);
    ReviewStore::save(m_strChecksum, engine::ReviewFileText(file, *m_analysis));
}

void frmTessel::restoreSavedReview() {
    const ReviewStore::Saved stored = ReviewStore::load(m_strChecksum);
    if (!stored.problem.isEmpty()) {
        // Said, and kept over "准备就绪"; the book opens as analysed: the file
        // is not the book's fault.
        const std::u16string note = u"上次的审阅无法读取，已忽略：" + stored.problem.toStdU16String();
        if (m_strDropNote.find(note) == std::u16string::npos)
            m_strDropNote += (m_strDropNote.empty() ? u"" : u"；") + note;
        setStatusText(qs(m_strDropNote));
        return;
    }
    const std::optional<engine::ReviewFile>& saved = stored.file;
    // A review made with another rule or condition is not this list's review.
    const std::optional<std::u16string> rule =
        m_found->rule ? std::optional<std::u16string>(m_found->rule->name) : std::nullopt;
    if (!saved || saved->rule != rule || saved->condition != m_found->condition) return;
    engine::Review review;
    try {
        review = engine::ReviewFromFile(*m_found, *saved);
    } catch (const engine::EngineError&) {
        return; // a review that no longer fits is dropped, not forced on the book
    }
    applyReviewState(ReviewState{review.checked, review.checked, review.edits});
    m_history.reset(reviewState());
    setStatusText(QStringLiteral("已恢复上次的审阅　<a href=\"afresh\">重新审阅</a>"), true);
}

void frmTessel::StartReviewAfresh() {
    if (m_blnOutputRunning || !m_found) return;
    ReviewStore::forget(m_strChecksum);
    const ReviewState before = reviewState();
    applyReviewState(ReviewState{m_found->checked, m_found->checked, {}});
    recordReview();
    m_afreshFrom = before;
    setStatusText(QStringLiteral("已重新开始审阅（可以撤销）"));
}

void frmTessel::ExportReview() {
    if (!m_found || m_strChecksum.empty()) return;
    const std::filesystem::path source = m_found->m_strSource;
    const std::u16string start =
        (source.parent_path() / source.stem()).u16string() + u".toc.json";
    const std::u16string path = platform::CurrentServices().fileDialogs->SaveFile(
        m_lstMemo->hWnd(), u"导出审阅", start, kReviewFilter);
    if (path.empty()) return;
    const engine::ReviewFile file =
        engine::ReviewOf(*m_analysis, currentCheckMarks(), m_strChecksum);
    if (!ReviewStore::writeFile(qs(path), engine::ReviewFileText(file, *m_analysis))) {
        warn(u"无法写入: " + path);
        return;
    }
    setStatusText(QStringLiteral("审阅已导出：") + qs(path));
}

void frmTessel::ImportReview() {
    if (m_blnOutputRunning || !m_found) return;
    const std::u16string path = platform::CurrentServices().fileDialogs->OpenFile(
        m_lstMemo->hWnd(), u"导入审阅", m_strLastFolder, kReviewFilter);
    if (path.empty()) return;
    engine::Review review;
    try {
        // Read as lumarin-split reads --toc: a FIFO never blocks, a huge file is never read.
        const engine::ReviewFile file = engine::ReadReviewFile(std::filesystem::path(path));
        engine::CheckReviewIsOf(file, m_strChecksum, m_found->m_strSource);
        review = engine::ReviewFromFile(*m_found, file);
    } catch (const engine::EngineError& error) {
        warn(error.message());
        return;
    }
    applyReviewState(ReviewState{review.checked, review.checked, review.edits});
    recordReview();
    setStatusText(QStringLiteral("审阅已导入（可以撤销）"));
}

} // namespace lumarin::app
