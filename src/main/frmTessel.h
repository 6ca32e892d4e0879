// SPDX-License-Identifier: MIT
#pragma once
// The main window: a source file in, its chapter list to review, chapter files
// out. The inputs run down the left, the chapter list fills the right, the
// buttons sit under the list and the status line with its progress bar runs
// along the bottom.
//
// frmTessel.cpp           controls, layout, loading and closing, keeping on top
// frmTessel_Analyze.cpp   analysis, the list and its check marks, sorting, the caption count
// frmTessel_Audit.cpp     heading rules, the analysis choices, flagged rows, near misses,
//                         the chapter preview
// frmTessel_Output.cpp    输出: the run the controls describe, writing the chapter files,
//                         the question about existing files, progress and warnings
// frmTessel_Book.cpp      the format and encoding choices, writing an EPUB book
// frmTessel_Events.cpp    drops, the file named at start, the command guard, list events and
//                         colours, keys, the choosers, the about picture
// frmTessel_Settings.cpp  settings kept between runs, the options menu
// frmTessel_Status.cpp    the status line: what the last output wrote, and where
// frmTessel_Review.cpp    undo and redo, added splits and volumes, corrected titles, saved reviews
// frmTessel_Reason.cpp    the words shown over an empty list: why, and what to try
// frmTessel_Rule.cpp      the rule choice and the condition box that shows the rule in use
// frmTessel_Readers.cpp   names and buddies for screen readers, the tab order
// frmNearMisses.cpp       the near-miss tool window

#include "engine/base/FailureReport.h"
#include "engine/encoding/EncodingChoice.h"
#include "engine/output/OutputWriter.h"
#include "engine/run/RunRequest.h"
#include "listview/ICustomDraw.h"
#include "listview/IListViewEvents.h"
#include "main/ReviewHistory.h"

#include <QElapsedTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QStackedLayout;
class QToolButton;

namespace lumarin::listview {
class ListView;
}
namespace lumarin::platform::qt {
class WindowHostWidget;
}

namespace lumarin::app {

class frmNearMisses;

// What a failing command was doing (it picks the message's form and path).
using CommandSide = engine::FailureSide;

// The settings the window keeps between runs, in the user's configuration folder.
std::unique_ptr<QSettings> OpenSettings();

class frmTessel final : public QWidget,
                        public listview::ICustomDraw,
                        public listview::IListViewEvents {
    Q_OBJECT
public:
    explicit frmTessel(QWidget* parent = nullptr);
    ~frmTessel() override;

    // ---- handlers ------------------------------------------------------------------
    void cmdAnalyze_Click();
    void cmdSaveOut_Click();
    void cmdOrder_Click();
    void cmdOpenFile_Click();
    void cmdOpenFolder_Click();
    void imgAbout_Click();
    void txtFile_OLEDragDrop(platform::DataObject& Data);
    void lstMemo_ItemCheck(std::int32_t ItemIndex);
    void cmdCheckFlagged_Click();
    void cmdNearMisses_Click();
    void cmdOpenOut_Click();
    void RestoreDefaultCondition();
    void KeepOnTop(bool blnOnTop);

    // ---- the review (frmTessel_Review.cpp) -------------------------------------------
    void Undo();
    void Redo();
    // A split point at a source line the rules missed (after a blank line, at the next
    // line with text); false when a row starts there.
    bool SplitAtLine(engine::LineNumber asked);
    void cmdSplitHere_Click(); // at the preview's current line
    // A volume opening at a source line the rules missed; false when one opens there.
    bool MarkVolumeAtLine(engine::LineNumber line);
    void cmdVolumeHere_Click(); // at the preview's current line
    // Corrects row's title (an empty one takes back the correction).
    void RenameTitle(std::int32_t row, const std::u16string& title);
    void BeginRenameTitle(); // the editor over the selected row's title
    void RemoveAddedSplit(); // the selected row, when the reader added it
    void StartReviewAfresh();
    void ExportReview();
    void ImportReview();

    // ---- the chapter list's events ---------------------------------------------------
    void RedrawingDone() override;
    void KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void KeyPress(std::int16_t& KeyAscii) override;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override;
    void DblClick(std::int32_t ItemIndex) override;
    void MouseDown(std::int32_t ItemIndex, std::int16_t MouseButton, std::int16_t Shift, float X,
                   float Y) override;
    void MouseUp(std::int32_t ItemIndex, std::int16_t MouseButton, std::int16_t Shift, float X,
                 float Y) override;
    void Click(std::int32_t ItemIndex) override;
    void ItemCheck(std::int32_t ItemIndex) override;
    void OLEDragDrop(platform::DataObject& Data, std::int32_t& Effect, std::int16_t& MouseButton,
                     std::int16_t& Shift, float& X, float& Y) override;
    bool CustomDraw(std::int32_t ItemIndex, std::int32_t ColumnIndex, std::int32_t& BackColor,
                    std::int32_t& ForeColor) override;

    // ---- controls, for tests and start-up --------------------------------------------
    QPlainTextEdit* txtFile() const { return m_txtFile; }
    QPushButton* cmdOpenFile() const { return m_cmdOpenFile; }
    QPlainTextEdit* txtFind() const { return m_txtFind; }
    QLineEdit* txtOut() const { return m_txtOut; }
    QComboBox* cboFolderOut() const { return m_cboFolderOut; }
    QLineEdit* txtNum() const { return m_txtNum; }
    QLineEdit* txtCount() const { return m_txtCount; }
    QLineEdit* txtSplitSize() const { return m_txtSplitSize; }
    QCheckBox* chkVolumeFolders() const { return m_chkVolumeFolders; }
    QPlainTextEdit* txtReplace() const { return m_txtReplace; }
    QCheckBox* chkDelSpc() const { return m_chkDelSpc; }
    QCheckBox* chkFJconv() const { return m_chkFJconv; }
    QCheckBox* chkClean() const { return m_chkClean; }
    QCheckBox* chkUnwrap() const { return m_chkUnwrap; }
    QPushButton* cmdRemoved() const { return m_cmdRemoved; }
    QPushButton* cmdCover() const { return m_cmdCover; }
    QAction* mnuNoCover() const { return m_mnuNoCover; } // null while there is no cover
    QComboBox* cboFormat() const { return m_cboFormat; }
    QLineEdit* txtBookTitle() const { return m_txtBookTitle; }
    QLineEdit* txtBookAuthor() const { return m_txtBookAuthor; }
    QComboBox* cboEncoding() const { return m_cboEncoding; }
    QComboBox* cboOutEncoding() const { return m_cboOutEncoding; }
    QPushButton* cmdAnalyze() const { return m_cmdAnalyze; }
    QPushButton* cmdSaveOut() const { return m_cmdSaveOut; }
    QPushButton* cmdOrder() const { return m_cmdOrder; }
    QComboBox* cboRule() const { return m_cboRule; }
    QLabel* lblRule() const { return m_lblRule; }
    QLabel* lblRow() const { return m_lblRow; }
    QPlainTextEdit* txtPreview() const { return m_txtPreview; }
    QPushButton* cmdCheckFlagged() const { return m_cmdCheckFlagged; }
    QPushButton* cmdNearMisses() const { return m_cmdNearMisses; }
    // The near-miss window and its list, once shown.
    frmNearMisses* nearMissWindow() const { return m_frmNearMisses; }
    QPlainTextEdit* txtNearMisses() const;
    // The caption over the list: which book the list shows.
    QLabel* lblBook() const { return m_lblBook; }
    // What a tick and the row colours mean, under the list.
    QLabel* lblLegend() const { return m_lblLegend; }
    // The words over an empty list: why it is empty and what to try; hidden otherwise.
    QLabel* lblEmpty() const { return m_lblEmpty; }
    QWidget* leftColumn() const { return m_leftColumn; }
    QLabel* lblState() const { return m_lblState; }
    QPushButton* cmdOpenOut() const { return m_cmdOpenOut; }
    QToolButton* cmdOptions() const { return m_cmdOptions; }
    QAction* mnuDefaultCondition() const { return m_mnuDefaultCondition; }
    QAction* mnuTopMost() const { return m_mnuTopMost; }
    QAction* mnuUndo() const { return m_mnuUndo; }
    QAction* mnuRedo() const { return m_mnuRedo; }
    QAction* mnuSplitHere() const { return m_mnuSplitHere; }
    QAction* mnuVolumeHere() const { return m_mnuVolumeHere; }
    QAction* mnuRename() const { return m_mnuRename; }
    QAction* mnuRemoveSplit() const { return m_mnuRemoveSplit; }
    QAction* mnuFreshReview() const { return m_mnuFreshReview; }
    QAction* mnuExportReview() const { return m_mnuExportReview; }
    QAction* mnuImportReview() const { return m_mnuImportReview; }
    // The title editor while a title is being corrected, else null.
    QLineEdit* txtTitleEditor() const { return m_txtTitleEditor; }
    // The table the output writes: the analysis with the reader's edits.
    const std::optional<engine::AnalysisResult>& reviewedAnalysis() const { return m_analysis; }
    bool KeepOnTop() const { return m_blnTopMost; }
    const std::u16string& m_strLastFolder_() const { return m_strLastFolder; }
    QFrame* shpDone() const { return m_shpDone; }
    listview::ListView& lstMemo() const { return *m_lstMemo; }
    platform::qt::WindowHostWidget* lstMemoHost() const { return m_lstMemoHost; }

    // The chapter list's column widths in pixels at 96 dpi, as kept between runs.
    std::vector<int> columnWidths() const;
    void setColumnWidths(const std::vector<int>& widths);

    // Whether an output is being written (for tests).
    bool outputRunning() const { return m_blnOutputRunning; }

    // Shows line `line` of the analysed source in the preview pane, a few
    // lines before it included, with the text cursor on it: "从此行分章" splits there.
    void showLineInPreview(engine::LineNumber line);
    // The source line shown on text line `block` of the preview, or 0.
    engine::LineNumber previewLine(int block) const;

    // Opens a file given on the command line: as if it had been dropped on the
    // list, whatever its extension; a file that does not exist is said so.
    void OpenFromCommandLine(const std::u16string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    void nameControlsForReaders();
    void fitLeftColumn();
    void createChapterList();
    void fitTextColumns();
    void Form_Load();
    void Form_Unload();

    // frmTessel_Analyze.cpp
    void analyseSource();
    void fillChapterList(const engine::AnalysisResult& analysis);
    std::vector<bool> currentCheckMarks() const;
    void setCaptionCount(std::int32_t unchecked, std::int32_t total);
    void showListBook();

    // frmTessel_Reason.cpp
    void buildEmptyListNote();
    void showEmptyListReason(const engine::AnalysisRequest& request,
                             const engine::AnalysisResult& analysis);
    void hideEmptyListReason();
    // A next step offered as a link, over an empty list or under the condition.
    void takeEmptyListAction(const QString& action);

    // frmTessel_Rule.cpp
    void ruleChoiceChanged(int index);
    void showConditionInUse();
    std::u16string ownCondition() const;
    void conditionEdited(); // the box changed: the user's own text, when it shows that
    // Adds to the line under the box when the list may come from the wrong condition.
    void showRuleAdvice(const engine::AnalysisRequest& request,
                        const engine::AnalysisResult& analysis);
    void setOwnCondition(const std::u16string& condition);

    // frmTessel_Audit.cpp
    void buildAuditControls();
    void fillRuleChoice();
    engine::AnalysisRequest analysisRequest() const;
    void showAnalysisRule(const engine::AnalysisResult& analysis);
    void refreshAudit();
    void showSelectedRow();
    // `lead` (whole lines) stands above the source lines and maps to none of them.
    void showPreviewLines(engine::LineNumber first, const std::vector<std::u16string>& lines,
                          const QString& lead = {});

    // frmTessel_Review.cpp
    void buildReviewActions();
    void startReview(engine::AnalysisResult found);
    ReviewState reviewState() const;
    void recordReview(); // after an action: one step to undo
    void applyReviewState(const ReviewState& state);
    void restoreSavedReview();
    void saveReview() const;
    void updateReviewActions();
    bool confirmCheckFlagged(const std::vector<std::int32_t>& rows);
    QString reasonText(std::size_t row) const;
    void showPreviewMenu(const QPoint& pos);
    void finishTitleEditor(bool keep);
    void renumberLabels();

    // frmTessel_Output.cpp
    void writeChapterFiles();
    // Asks what to do with chapter files already there; false when the user cancels.
    bool chooseExistingFiles(engine::OutputPlan& plan);

    // frmTessel_Book.cpp
    void buildFormatChoices();
    QLayout* formatChoicesLayout();
    engine::InputEncodingChoice inputEncodingChoice() const;
    engine::OutputEncodingChoice outputEncodingChoice() const;
    bool bookChosen() const;
    void showBookTitle(); // the title and author found in the book just analysed
    void writeBook();
    engine::OutputOptions outputOptions() const;
    // The run the controls describe: analysis, output and format choices.
    engine::RunRequest runRequest() const;
    // Progress, pending events, and a stop (engine::OutputCancelled) once 取消 is pressed.
    engine::OutputCallbacks outputCallbacks();
    void stopWhenCancelled();
    void showOutputCancelled();
    void showProgress(int percent);
    void setProgressWidthTwips(double twips);
    void letEventsRun();
    void setBusy(bool busy);

    void warn(const std::u16string& text);
    void rememberFolder(const std::u16string& folder);

    // frmTessel_Settings.cpp
    void buildOptionsMenu();
    void loadSettings();
    void fitOnScreen();
    void saveSettings() const;

    // frmTessel_Status.cpp
    enum class Written { Folder, Book };
    // What the running output writes, for the words after a cancel.
    struct CancelledRun {
        std::filesystem::path folder; // the chapter files' folder, or the book
        Written what = Written::Folder;
        std::int32_t finished = 0; // chapter files written whole
    };
    CancelledRun m_cancelledRun;
    // The status line after an output: `message` ends with the path written to.
    void showOutputDone(const QString& message, const std::filesystem::path& written, Written what);
    // A status with a link (`rich`) keeps its markup and is never shortened.
    void setStatusText(const QString& text, bool rich = false);
    void clearOutputDone();
    void fitStatusLine();
    void setTopMost(bool topMost);
    // Puts a dropped ".txt" file into the source box; false (and said why) when
    // the drop names nothing to open: a missing file, a folder.
    bool takeDroppedFile(platform::DataObject& Data);
    void dropOnList(platform::DataObject& Data);
    void showSourcePath(const std::u16string& path);
    // Every command Qt starts runs through here: a failure becomes a warning
    // box and the window carries on.
    void runGuarded(CommandSide side, const std::function<void()>& command);

    // Entries of the rule choice before the built-in rules.
    static constexpr int kOwnCondition = 0;
    static constexpr int kAutomatic = 1;
    static constexpr int kFirstRule = 2;

    // What a command that needs a book says when there is none.
    static constexpr const char16_t* kChooseSourceFirst = u"请先选择源文件";

    // Start values.
    static constexpr const char16_t* kFullProgressWidth = u"9135"; // twips
    static constexpr double kRestingProgressTwips = 15;

    std::u16string m_strSource;
    // A word about the book just opened, kept in the status line over "准备就绪":
    // books a drop left out, a saved review that could not be read.
    std::u16string m_strDropNote;
    std::int32_t m_lngCount = 0;
    std::optional<engine::AnalysisResult> m_analysis;
    std::u16string m_strProgressFullWidth; // the progress bar's stored full width, in twips

    bool m_blnOutputRunning = false;
    bool m_blnCancelRequested = false; // 取消 was pressed during the output
    QString m_strSaveOutCaption;       // the output button's caption while it reads 取消
    bool m_blnTopMost = true;
    std::u16string m_strLastFolder;           // the folder a chooser last returned
    std::u16string m_strOutputFolder;         // the folder the last output's link opens
    QString m_strStatus;                      // the status line's whole text
    bool m_blnStatusRich = false;             // m_strStatus is markup with a link
    std::u16string m_strOwnCondition;         // the user's own condition while a rule is in use
    int m_intRuleShown = -1;                  // the rule choice the condition box shows
    engine::LineNumber m_lngPreviewFirst = 0; // the source line on the preview's first line
    int m_previewLeadLines = 0;               // lines above it that stand for no source line
    QElapsedTimer m_sinceEventsRan;
    // 标题's part of the room 标题 and 预览 share, the width it keeps in a narrow
    // list (device pixels; its start width until the reader narrows it), and
    // the widths last given them.
    double m_dblTitleShare = 0; // set by the first fit
    std::int32_t m_lngTitleLeast = 0;
    std::int32_t m_lngTitleWidthSet = -1;
    std::int32_t m_lngPreviewWidthSet = -1;

    QWidget* m_picBack = nullptr;
    QWidget* m_leftColumn = nullptr;
    QLabel* m_lblBook = nullptr;
    QLabel* m_lblLegend = nullptr;
    QLabel* m_lblEmpty = nullptr;
    QStackedLayout* m_stkList = nullptr; // the list, or the words that say why it is empty
    QLabel* m_lblSource = nullptr;
    QLabel* m_lblCondition = nullptr;
    QLabel* m_lblOutputName = nullptr;
    QLabel* m_lblOutputFolder = nullptr;
    QLabel* m_lblFilters = nullptr;
    QLabel* m_lblPatternNumber = nullptr; // the three lines explaining the name pattern
    QLabel* m_lblPatternChapter = nullptr;
    QLabel* m_lblPatternTitle = nullptr;
    QLabel* m_lblFilesPerFolder = nullptr;
    QLabel* m_lblChaptersPerFile = nullptr;
    QPlainTextEdit* m_txtFile = nullptr;
    QPushButton* m_cmdOpenFile = nullptr;
    QPlainTextEdit* m_txtFind = nullptr;
    QLineEdit* m_txtOut = nullptr;
    QComboBox* m_cboFolderOut = nullptr;
    QPushButton* m_cmdOpenFolder = nullptr;
    QLineEdit* m_txtNum = nullptr;
    QLineEdit* m_txtCount = nullptr;
    QLabel* m_lblSplitSize = nullptr;
    QLineEdit* m_txtSplitSize = nullptr; // characters per part, 0 for none
    QCheckBox* m_chkVolumeFolders = nullptr;
    QPlainTextEdit* m_txtReplace = nullptr;
    QCheckBox* m_chkDelSpc = nullptr;
    QCheckBox* m_chkFJconv = nullptr;
    QLabel* m_lblFormat = nullptr;
    QComboBox* m_cboFormat = nullptr; // text files or one EPUB book
    QPushButton* m_cmdCover = nullptr; // the book's cover picture
    QLabel* m_lblBookTitle = nullptr;
    QLineEdit* m_txtBookTitle = nullptr;
    QLabel* m_lblBookAuthor = nullptr;
    QLineEdit* m_txtBookAuthor = nullptr;
    std::filesystem::path m_strTitleFor; // the book the title and author were found in
    QString m_strCover;
    std::filesystem::path m_strCoverBook; // the book the cover was chosen for
    QAction* m_mnuNoCover = nullptr;      // on the cover button's menu, once a cover is chosen
    QCheckBox* m_chkClean = nullptr;  // remove advertisements and page leftovers
    QCheckBox* m_chkUnwrap = nullptr; // join hard-wrapped lines
    QPushButton* m_cmdRemoved = nullptr; // the lines cleaning removes
    void chooseCover();
    void clearCover();
    // A new book keeps the cover chosen for it, and loses another book's.
    void coverFollowsBook(const std::filesystem::path& source);
    void countRemovedLines();
    void showRemovedLines();
    QLabel* m_lblEncoding = nullptr;
    QComboBox* m_cboEncoding = nullptr; // the source's encoding
    QLabel* m_lblOutEncoding = nullptr;
    QComboBox* m_cboOutEncoding = nullptr; // the chapter files' encoding
    QPushButton* m_cmdAnalyze = nullptr;
    QPushButton* m_cmdSaveOut = nullptr;
    QPushButton* m_cmdOrder = nullptr;
    QLabel* m_imgAbout = nullptr;
    QLabel* m_lblState = nullptr;
    QFrame* m_shpDone = nullptr;
    QPushButton* m_cmdOpenOut = nullptr;
    QToolButton* m_cmdOptions = nullptr;
    QAction* m_mnuDefaultCondition = nullptr;
    QAction* m_mnuTopMost = nullptr;

    QComboBox* m_cboRule = nullptr;
    QLabel* m_lblRule = nullptr;
    QLabel* m_lblRow = nullptr;
    QPlainTextEdit* m_txtPreview = nullptr;
    QPushButton* m_cmdCheckFlagged = nullptr;
    QPushButton* m_cmdNearMisses = nullptr;
    frmNearMisses* m_frmNearMisses = nullptr;
    // Audit flags of the rows under the current check marks.
    std::vector<engine::AuditFlags> m_flags;
    std::vector<engine::AuditNote> m_notes;

    // The review: m_analysis is m_found with m_edits applied.
    std::optional<engine::AnalysisResult> m_found;
    engine::ChapterEdits m_edits;
    std::vector<bool> m_ordered;
    ReviewHistory m_history;
    std::optional<ReviewState> m_afreshFrom; // the review "重新审阅" last set aside
    std::string m_strChecksum;             // the source's, keying its saved review
    std::int32_t m_intPressedColumn = -1;  // the column of the last press in the list
    QLineEdit* m_txtTitleEditor = nullptr;
    std::int32_t m_lngEditedRow = -1;
    QAction* m_mnuUndo = nullptr;
    QAction* m_mnuRedo = nullptr;
    QAction* m_mnuSplitHere = nullptr;
    QAction* m_mnuVolumeHere = nullptr;
    QAction* m_mnuRename = nullptr;
    QAction* m_mnuRemoveSplit = nullptr;
    QAction* m_mnuFreshReview = nullptr;
    QAction* m_mnuExportReview = nullptr;
    QAction* m_mnuImportReview = nullptr;

    std::unique_ptr<listview::ListView> m_lstMemo;
    platform::qt::WindowHostWidget* m_lstMemoHost = nullptr;
};

} // namespace lumarin::app
