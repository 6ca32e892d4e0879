// SPDX-License-Identifier: MIT
#include "engine/base/EngineError.h"
#include "engine/base/FailureReport.h"
#include "engine/base/LeadingNumber.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Renumbering.h"
#include "engine/output/ExistingFileProbe.h"
#include "engine/output/FilterText.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>
#include <filesystem>

namespace lumarin::app {

using platform::qt::qs;

namespace {

// How often a running output lets the window handle its events.
constexpr int kEventIntervalMs = 40;
// The progress bar's widths are kept in twips, as the form was laid out.
constexpr double kTwipsPerPixel = 15.0;

} // namespace

void frmTessel::cmdSaveOut_Click() {
    if (m_blnOutputRunning) {
        // While the output runs this button reads "取消": the run stops at its next step.
        m_blnCancelRequested = true;
        return;
    }
    if (m_strSource.empty() || !m_analysis) {
        // Nothing analysed yet: the box is empty, or holds a book not yet read.
        warn(m_txtFile->toPlainText().trimmed().isEmpty() ? kChooseSourceFirst
                                                          : u"请先按“分析”读取源文件。");
        return;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::path(m_strSource), ec)) {
        warn(u"无此文件!");
        return;
    }
    // The list describes the file it was made from; another name in the box
    // (chosen since, or a failed analysis) needs its own analysis first.
    const std::u16string named(engine::TrimSpaces(m_txtFile->toPlainText().toStdU16String()));
    if (std::filesystem::path(named) != m_analysis->m_strSource ||
        std::filesystem::path(m_strSource) != m_analysis->m_strSource) {
        warn(engine::EngineError::sourceChanged().message());
        return;
    }
    // Nothing to split is said before anything is asked about files already there.
    // With a size per part the text is cut into parts, split points or none.
    const bool bySize = outputOptions().splitSize > 0;
    if (!bySize && engine::CountUnchecked(currentCheckMarks()).unchecked == 0) {
        warn(m_lngCount == 0 ? u"列表中没有章节标题，无法分割!\n可以填写“按字数分割”，把全书切成几部分。"
                             : engine::EngineError::allRowsChecked().message());
        return;
    }
    // No failure may leave an event handler: each one is a box, and the window goes on.
    try {
        if (bookChosen()) {
            writeBook();
        } else {
            writeChapterFiles();
        }
    } catch (const engine::OutputCancelled&) {
        setBusy(false);
        showOutputCancelled();
    } catch (...) {
        warn(engine::ReportFailure(std::current_exception(), CommandSide::Writing).message);
    }
    setBusy(false);
    setProgressWidthTwips(kRestingProgressTwips);
}

void frmTessel::writeChapterFiles() {
    const engine::RunRequest request = runRequest();
    std::optional<engine::OutputPlan> plan =
        engine::PlanOutput(*m_analysis, currentCheckMarks(), request.output);
    if (!plan) return;
    if (!chooseExistingFiles(*plan)) return;

    setBusy(true);
    m_cancelledRun = {plan->outputFolder, Written::Folder, 0};
    const engine::OutputResult result = engine::WriteOutput(*plan, outputCallbacks());
    setBusy(false);

    setProgressWidthTwips(kRestingProgressTwips);
    const QString count = QString::number(result.fileCount);
    showOutputDone(QStringLiteral("处理完毕！共") + count + QStringLiteral("个文件，已写入 ") +
                       qs(result.outputFolder.lexically_normal().u16string()),
                   result.outputFolder, Written::Folder);
    platform::MessageBox(m_lstMemo->hWnd(), engine::ChapterFilesDoneMessage(request, result), u"完毕",
                         platform::MB_OK | platform::MB_ICONINFORMATION);
}

bool frmTessel::chooseExistingFiles(engine::OutputPlan& plan) {
    const auto existing = engine::FindExistingFiles(plan);
    if (existing.empty()) return true;
    const std::u16string question = u"输出文件夹中已有" +
                                    engine::ToU16Decimal(static_cast<long long>(existing.size())) +
                                    u"个同名文件。\n是：覆盖　否：追加到末尾　取消：不输出";
    switch (platform::MessageBox(m_lstMemo->hWnd(), question, kAppTitle,
                                 platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION)) {
    case platform::IDYES:
        plan.options.existing = engine::ExistingFiles::Overwrite;
        return true;
    case platform::IDNO:
        plan.options.existing = engine::ExistingFiles::Append;
        return true;
    default:
        return false;
    }
}

engine::RunRequest frmTessel::runRequest() const {
    engine::RunRequest request;
    request.source = std::filesystem::path(m_strSource);
    request.analysis = analysisRequest();
    request.output = outputOptions();
    request.format = bookChosen() ? engine::OutputFormat::Book : engine::OutputFormat::ChapterFiles;
    return request;
}

engine::OutputOptions frmTessel::outputOptions() const {
    engine::OutputOptions options;
    options.folderText = m_cboFolderOut->currentText().toStdU16String();
    options.namePattern = m_txtOut->text().toStdU16String();
    options.deleteBlankLines = m_chkDelSpc->isChecked();
    options.volumeFolders = m_chkVolumeFolders->isChecked();
    options.splitSize = engine::ReadSizeField(m_txtSplitSize->text().toStdU16String());
    options.toSimplified = m_chkFJconv->isChecked();
    options.encoding = outputEncodingChoice();
    options.cleanup = {m_chkClean->isChecked(), m_chkUnwrap->isChecked()};
    options.cover = std::filesystem::path(m_strCover.toStdString());
    options.bookTitle = m_txtBookTitle->text().toStdU16String();
    options.bookAuthor = m_txtBookAuthor->text().toStdU16String();
    options.filesPerFolder = engine::ReadCountField(m_txtCount->text().toStdU16String());
    options.chaptersPerFile =
        std::max(1, engine::ReadCountField(m_txtNum->text().toStdU16String()));
    // The filter box separates its lines with CR LF.
    QString filters = m_txtReplace->toPlainText();
    filters.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    options.filters = engine::SplitFilterText(filters.toStdU16String());
    return options;
}

engine::OutputCallbacks frmTessel::outputCallbacks() {
    engine::OutputCallbacks callbacks;
    callbacks.onFileStarted = [this](const engine::FileProgress& progress) {
        m_cancelledRun.finished = progress.fileNumber; // the files before this one
        showProgress(progress.percent);
        stopWhenCancelled();
    };
    callbacks.yield = [this] {
        letEventsRun();
        stopWhenCancelled();
    };
    return callbacks;
}

void frmTessel::stopWhenCancelled() {
    if (m_blnCancelRequested) throw engine::OutputCancelled{};
}

// Never "处理完毕": the count says what is there, the file cut short is gone.
void frmTessel::showOutputCancelled() {
    setProgressWidthTwips(kRestingProgressTwips);
    const CancelledRun& run = m_cancelledRun;
    if (run.what == Written::Book || run.finished == 0) {
        clearOutputDone();
        setStatusText(run.what == Written::Book ? QStringLiteral("已取消输出，没有写出EPUB")
                                                : QStringLiteral("已取消输出，没有写出文件"));
        return;
    }
    showOutputDone(QStringLiteral("已取消输出：已写好%1个文件，未写完的文件已撤回。").arg(run.finished) +
                       QStringLiteral("已写入 ") + qs(run.folder.lexically_normal().u16string()),
                   run.folder, Written::Folder);
}

void frmTessel::showProgress(int percent) {
    setStatusText(QStringLiteral("完成:%1%").arg(percent));
    const double scale = engine::ReadLeadingNumber(m_strProgressFullWidth) / 100.0;
    setProgressWidthTwips(percent * scale);
    letEventsRun();
}

void frmTessel::setProgressWidthTwips(double twips) {
    const int pixels = std::max(1, static_cast<int>(std::lround(twips / kTwipsPerPixel)));
    m_shpDone->resize(pixels, m_shpDone->height());
}

void frmTessel::letEventsRun() {
    if (m_sinceEventsRan.isValid() && m_sinceEventsRan.elapsed() < kEventIntervalMs) return;
    platform::DoEvents();
    m_sinceEventsRan.restart();
}

void frmTessel::setBusy(bool busy) {
    if (busy != m_blnOutputRunning) {
        if (busy) m_strSaveOutCaption = m_cmdSaveOut->text();
        m_cmdSaveOut->setText(busy ? QStringLiteral("取消") : m_strSaveOutCaption);
    }
    m_blnOutputRunning = busy;
    m_blnCancelRequested = false;
    // While the files are written the table and the marks must stay as they are;
    // the output's own button stops it.
    for (QWidget* control : {static_cast<QWidget*>(m_cmdAnalyze), static_cast<QWidget*>(m_cmdOrder)})
        control->setEnabled(!busy);
    m_sinceEventsRan.invalidate();
}

void frmTessel::warn(const std::u16string& text) {
    platform::MessageBox(m_lstMemo->hWnd(), text, kAppTitle,
                         platform::MB_OK | platform::MB_ICONWARNING);
}

} // namespace lumarin::app
