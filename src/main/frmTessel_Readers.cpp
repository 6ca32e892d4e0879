// SPDX-License-Identifier: MIT
// What the window tells a screen reader: each field is named by the label
// beside it (its buddy), the fields without one by a name of their own; the
// chapter list says why a row is doubted; the status line is the window's
// status bar, named by its whole text, and every change of it is said.
// Tab goes down the inputs, then through the list, the preview and the buttons.
#include "listview/ListView.h"
#include "main/frmTessel.h"
#include "platform/qt/WindowHostWidget.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <iterator>
#include <utility>

namespace lumarin::app {

namespace {

constexpr auto kStatusLineName = "lblState";

// The status line's name is its text as plain words, the whole of it where the
// line shows it shortened (the tool tip holds it then); the label tells readers
// of every new text (QLabel::setText sends NameChanged). Qt 6.4 has no event
// that only announces.
class StatusLineAccessible final : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StatusBar) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        const auto* label = static_cast<const QLabel*>(widget());
        QString shown = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        if (shown.contains(QChar(0x2026)) && !label->toolTip().isEmpty()) shown = label->toolTip();
        return shown.isEmpty() ? QStringLiteral("状态") : shown;
    }
};

QAccessibleInterface* StatusLineFactory(const QString& /*className*/, QObject* object) {
    auto* label = qobject_cast<QLabel*>(object);
    if (label == nullptr || label->objectName() != QLatin1String(kStatusLineName)) return nullptr;
    return new StatusLineAccessible(label);
}

} // namespace

void frmTessel::nameControlsForReaders() {
    const std::pair<QLabel*, QWidget*> buddies[] = {
        // The rule choice comes first under the condition's caption; on Linux a
        // combo box is named only by a label.
        {m_lblSource, m_txtFile},
        {m_lblCondition, m_cboRule},
        {m_lblOutputName, m_txtOut},
        {m_lblOutputFolder, m_cboFolderOut},
        {m_lblChaptersPerFile, m_txtNum},
        {m_lblFilesPerFolder, m_txtCount},
        {m_lblSplitSize, m_txtSplitSize},
        {m_lblFilters, m_txtReplace},
        {m_lblEncoding, m_cboEncoding},
        {m_lblFormat, m_cboFormat},
        {m_lblOutEncoding, m_cboOutEncoding},
        {m_lblBookTitle, m_txtBookTitle},
        {m_lblBookAuthor, m_txtBookAuthor},
    };
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    const std::pair<QWidget*, const char*> named[] = {
        {m_txtFind, "标题条件"},           {m_cmdOpenFile, "选择源文件"},
        {m_cmdOpenFolder, "选择输出路径"}, {m_lstMemoHost, "章节列表"},
        {m_txtPreview, "章节预览"},        {m_imgAbout, "关于"},
    };
    for (const auto& [widget, name] : named)
        widget->setAccessibleName(QString::fromUtf8(name));
    // The preview is for reading: Tab leaves it rather than being typed into it.
    m_txtPreview->setTabChangesFocus(true);
    m_cmdOpenFile->setToolTip(m_cmdOpenFile->accessibleName());
    m_cmdOpenFolder->setToolTip(m_cmdOpenFolder->accessibleName());

    // The about picture opens by keyboard too (Space or Enter), and shows when it has the focus.
    m_imgAbout->setFocusPolicy(Qt::StrongFocus);
    m_imgAbout->setStyleSheet(QStringLiteral("QLabel { border: 1px solid transparent; } "
                                             "QLabel:focus { border: 1px dotted palette(text); }"));

    m_lblState->setObjectName(QLatin1String(kStatusLineName));
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&StatusLineFactory);
        return true;
    }();
    (void)factoryInstalled;

    m_lstMemo->DescribeRowsWith([this](std::int32_t row) -> std::u16string {
        const auto r = static_cast<std::size_t>(row);
        if (!m_analysis || r >= m_flags.size() || m_flags[r] == 0) return {};
        return (QStringLiteral("可疑：") + reasonText(r)).toStdU16String();
    });

    QWidget* const order[] = {
        m_txtFile,          m_cmdOpenFile,   m_cboRule,         m_txtFind,       m_txtOut,
        m_cboFolderOut,     m_cmdOpenFolder, m_txtNum,          m_txtCount,      m_txtSplitSize,
        m_chkVolumeFolders, m_cboEncoding,   m_cboFormat,       m_cmdCover,      m_cboOutEncoding,
        m_txtBookTitle,     m_txtBookAuthor, m_chkClean,        m_chkUnwrap,     m_cmdRemoved,
        m_chkDelSpc,        m_chkFJconv,     m_txtReplace,      m_lstMemoHost,   m_txtPreview,
        m_cmdAnalyze,       m_cmdSaveOut,    m_cmdCheckFlagged, m_cmdNearMisses, m_cmdOrder,
        m_cmdOptions,       m_cmdOpenOut,    m_imgAbout,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace lumarin::app
