// SPDX-License-Identifier: MIT
// What the window keeps between runs, and the options menu beside "排序↑".
// Settings are read once the start values are in place, so a missing or
// unreadable entry simply leaves its start value.
#include "engine/headings/HeadingCondition.h"
#include "main/MenuButton.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <algorithm>
#include <functional>

namespace lumarin::app {

using platform::qt::qs;

namespace {

namespace key {
constexpr const char* kCondition = "condition";
constexpr const char* kRule = "rule";
constexpr const char* kOutputFolder = "outputFolder";
constexpr const char* kPattern = "pattern";
constexpr const char* kChaptersPerFile = "chaptersPerFile";
constexpr const char* kFilesPerFolder = "filesPerFolder";
constexpr const char* kDeleteBlankLines = "deleteBlankLines";
constexpr const char* kSplitSize = "splitSize";
constexpr const char* kVolumeFolders = "volumeFolders";
constexpr const char* kToSimplified = "toSimplified";
constexpr const char* kClean = "clean";
constexpr const char* kUnwrap = "unwrap";
constexpr const char* kFilters = "filters";
constexpr const char* kSourceEncoding = "sourceEncoding";
constexpr const char* kOutputFormat = "outputFormat";
constexpr const char* kOutputEncoding = "outputEncoding";
constexpr const char* kGeometry = "window/geometry";
constexpr const char* kTopMost = "window/topMost";
constexpr const char* kColumns = "window/columns"; // the list's column widths at 96 dpi
constexpr const char* kLastFolder = "lastFolder";
} // namespace key

void LoadText(const QSettings& settings, const char* name, QLineEdit* field) {
    if (settings.contains(name)) field->setText(settings.value(name).toString());
}

void LoadText(const QSettings& settings, const char* name, QPlainTextEdit* box) {
    if (settings.contains(name)) box->setPlainText(settings.value(name).toString());
}

void LoadCheck(const QSettings& settings, const char* name, QCheckBox* box) {
    if (settings.contains(name)) box->setChecked(settings.value(name).toBool());
}

// A choice is kept by its text, so a list that changes order keeps its meaning;
// a text no longer listed leaves the start value.
void LoadChoice(const QSettings& settings, const char* name, QComboBox* box) {
    const int index = box->findText(settings.value(name).toString());
    if (index >= 0) box->setCurrentIndex(index);
}

} // namespace

std::unique_ptr<QSettings> OpenSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("lumarin"), QStringLiteral("lumarin"));
}

void frmTessel::buildOptionsMenu() {
    m_cmdOptions = new MenuButton(QStringLiteral("选项(&O)"), this);
    auto* menu = new QMenu(m_cmdOptions);
    // The commands a reader reaches for by key, each listed with its key. They
    // press the buttons, so a key does nothing where its button is disabled.
    const auto command = [this, menu](const char16_t* text, QKeySequence keys,
                                      const std::function<void()>& run) {
        QAction* act = menu->addAction(qs(text));
        act->setShortcut(keys);
        act->setShortcutContext(Qt::WindowShortcut);
        addAction(act);
        connect(act, &QAction::triggered, this, run);
    };
    command(u"打开源文件…", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { m_cmdOpenFile->click(); });
    command(u"分析", QKeySequence(Qt::Key_F5), [this] { m_cmdAnalyze->click(); });
    command(u"输出", QKeySequence(Qt::CTRL | Qt::Key_S), [this] {
        if (!m_blnOutputRunning) m_cmdSaveOut->click();
    });
    command(u"关闭", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });
    menu->addSeparator();
    m_mnuDefaultCondition = menu->addAction(QStringLiteral("恢复默认标题条件"));
    m_mnuTopMost = menu->addAction(QStringLiteral("窗口置顶"));
    m_mnuTopMost->setCheckable(true);
    m_mnuTopMost->setChecked(m_blnTopMost);
    m_cmdOptions->setMenu(menu);
    connect(m_mnuDefaultCondition, &QAction::triggered, this,
            [this] { RestoreDefaultCondition(); });
    connect(m_mnuTopMost, &QAction::toggled, this, [this](bool on) { KeepOnTop(on); });
}

// The default condition is the user's own: it shows, editable, at once.
void frmTessel::RestoreDefaultCondition() {
    setOwnCondition(std::u16string(engine::kDefaultCondition));
    m_cboRule->setCurrentIndex(kOwnCondition);
}

void frmTessel::KeepOnTop(bool blnOnTop) {
    m_blnTopMost = blnOnTop;
    if (m_mnuTopMost->isChecked() != blnOnTop) m_mnuTopMost->setChecked(blnOnTop);
    setTopMost(blnOnTop);
}

void frmTessel::rememberFolder(const std::u16string& folder) {
    if (!folder.empty()) m_strLastFolder = folder;
}

void frmTessel::loadSettings() {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    if (settings->contains(key::kCondition))
        m_strOwnCondition = settings->value(key::kCondition).toString().toStdU16String();
    LoadText(*settings, key::kPattern, m_txtOut);
    LoadText(*settings, key::kChaptersPerFile, m_txtNum);
    LoadText(*settings, key::kFilesPerFolder, m_txtCount);
    LoadText(*settings, key::kFilters, m_txtReplace);
    LoadCheck(*settings, key::kDeleteBlankLines, m_chkDelSpc);
    LoadText(*settings, key::kSplitSize, m_txtSplitSize);
    LoadCheck(*settings, key::kVolumeFolders, m_chkVolumeFolders);
    LoadCheck(*settings, key::kToSimplified, m_chkFJconv);
    LoadCheck(*settings, key::kClean, m_chkClean);
    LoadCheck(*settings, key::kUnwrap, m_chkUnwrap);
    // A rule this version does not know leaves the start choice.
    if (settings->contains(key::kRule)) {
        const int rule = m_cboRule->findData(settings->value(key::kRule).toString());
        if (rule >= 0) m_cboRule->setCurrentIndex(rule);
    }
    LoadChoice(*settings, key::kSourceEncoding, m_cboEncoding);
    LoadChoice(*settings, key::kOutputFormat, m_cboFormat);
    LoadChoice(*settings, key::kOutputEncoding, m_cboOutEncoding);

    const QString folder = settings->value(key::kOutputFolder).toString();
    if (!folder.isEmpty()) {
        if (m_cboFolderOut->findText(folder) < 0) m_cboFolderOut->addItem(folder);
        m_cboFolderOut->setCurrentIndex(m_cboFolderOut->findText(folder));
        m_cboFolderOut->setEditText(folder);
    }
    m_strLastFolder = settings->value(key::kLastFolder).toString().toStdU16String();
    m_blnTopMost = settings->value(key::kTopMost, true).toBool();
    m_mnuTopMost->setChecked(m_blnTopMost);
    if (settings->contains(key::kColumns)) {
        std::vector<int> widths;
        for (const QVariant& width : settings->value(key::kColumns).toList())
            widths.push_back(width.toInt());
        setColumnWidths(widths);
    }
    if (settings->contains(key::kGeometry)) {
        restoreGeometry(settings->value(key::kGeometry).toByteArray());
        fitOnScreen();
    }
}

// A size or place saved on a larger screen, or on one no longer there, is
// brought onto the screen the window opens on, frame and all.
void frmTessel::fitOnScreen() {
    const QScreen* shown = screen();
    if (shown == nullptr) return;
    const QRect area = shown->availableGeometry();
    const QRect inside = geometry();
    const QRect outside = frameGeometry();
    QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                   outside.right() - inside.right(), outside.bottom() - inside.bottom());
    if (frame.isNull()) {
        // Not shown yet, so the frame is not known: allow for a title bar and borders.
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border,
                         border);
    }
    const QSize size = inside.size().boundedTo(area.size().shrunkBy(frame)).expandedTo(minimumSize());
    QRect whole = QRect(inside.topLeft(), size).marginsAdded(frame);
    // Kept where it was as far as the screen allows.
    whole.moveTo(
        std::clamp(whole.left(), area.left(), std::max(area.left(), area.x() + area.width() - whole.width())),
        std::clamp(whole.top(), area.top(), std::max(area.top(), area.y() + area.height() - whole.height())));
    setGeometry(whole.marginsRemoved(frame));
}

void frmTessel::saveSettings() const {
    const std::unique_ptr<QSettings> settings = OpenSettings();
    settings->setValue(key::kCondition, qs(ownCondition()));
    settings->setValue(key::kRule, m_cboRule->currentData().toString());
    settings->setValue(key::kOutputFolder, m_cboFolderOut->currentText());
    settings->setValue(key::kPattern, m_txtOut->text());
    settings->setValue(key::kChaptersPerFile, m_txtNum->text());
    settings->setValue(key::kFilesPerFolder, m_txtCount->text());
    settings->setValue(key::kDeleteBlankLines, m_chkDelSpc->isChecked());
    settings->setValue(key::kSplitSize, m_txtSplitSize->text());
    settings->setValue(key::kVolumeFolders, m_chkVolumeFolders->isChecked());
    settings->setValue(key::kToSimplified, m_chkFJconv->isChecked());
    settings->setValue(key::kClean, m_chkClean->isChecked());
    settings->setValue(key::kUnwrap, m_chkUnwrap->isChecked());
    settings->setValue(key::kFilters, m_txtReplace->toPlainText());
    settings->setValue(key::kSourceEncoding, m_cboEncoding->currentText());
    settings->setValue(key::kOutputFormat, m_cboFormat->currentText());
    settings->setValue(key::kOutputEncoding, m_cboOutEncoding->currentText());
    settings->setValue(key::kGeometry, saveGeometry());
    QVariantList widths;
    for (const int width : columnWidths())
        widths.push_back(width);
    settings->setValue(key::kColumns, widths);
    settings->setValue(key::kTopMost, m_blnTopMost);
    settings->setValue(key::kLastFolder, qs(m_strLastFolder));
}

} // namespace lumarin::app
