// SPDX-License-Identifier: MIT
// The choices between chapter files and one EPUB book, and of the encodings
// the source is read in and the chapter files are written in. The lists and
// what they mean are the engine's; the window only shows them.
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/epub/BookTitle.h"
#include "engine/run/RunRequest.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/Services.h"
#include "platform/qt/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <utility>

namespace lumarin::app {

using platform::qt::qs;

namespace {

template <typename Choice>
QComboBox* ChoiceBox(QWidget* parent, std::span<const engine::EncodingChoiceName<Choice>> choices) {
    auto* box = new QComboBox(parent);
    for (const auto& entry : choices)
        box->addItem(qs(entry.label), static_cast<int>(entry.choice));
    return box;
}

template <typename Choice> Choice Chosen(const QComboBox* box) {
    return static_cast<Choice>(box->currentData().toInt());
}

} // namespace

void frmTessel::buildFormatChoices() {
    m_lblFormat = new QLabel(QStringLiteral("输出格式："), this);
    m_cboFormat = new QComboBox(this);
    m_cboFormat->addItem(QStringLiteral("文本文件"));
    m_cboFormat->addItem(QStringLiteral("EPUB"));
    m_lblEncoding = new QLabel(QStringLiteral("源文件编码："), this);
    m_cboEncoding = ChoiceBox(this, engine::InputEncodingChoices());
    m_lblOutEncoding = new QLabel(QStringLiteral("输出编码："), this);
    m_cboOutEncoding = ChoiceBox(this, engine::OutputEncodingChoices());
    // The book's title and author: found in the book, for the reader to keep or correct.
    m_lblBookTitle = new QLabel(QStringLiteral("书名："), this);
    m_txtBookTitle = new QLineEdit(this);
    m_lblBookAuthor = new QLabel(QStringLiteral("作者："), this);
    m_txtBookAuthor = new QLineEdit(this);
    // A book is always UTF-8; only a book has a title and an author.
    const auto formatChosen = [this] {
        m_cboOutEncoding->setEnabled(!bookChosen());
        for (QWidget* field : {static_cast<QWidget*>(m_lblBookTitle), static_cast<QWidget*>(m_txtBookTitle),
                               static_cast<QWidget*>(m_lblBookAuthor), static_cast<QWidget*>(m_txtBookAuthor)})
            field->setEnabled(bookChosen());
    };
    connect(m_cboFormat, &QComboBox::currentIndexChanged, this, formatChosen);
    formatChosen();
}

QLayout* frmTessel::formatChoicesLayout() {
    auto* grid = new QGridLayout;
    grid->addWidget(m_lblEncoding, 0, 0);
    grid->addWidget(m_cboEncoding, 0, 1);
    grid->addWidget(m_lblFormat, 1, 0);
    grid->addWidget(m_cboFormat, 1, 1);
    grid->addWidget(m_lblBookTitle, 2, 0);
    grid->addWidget(m_txtBookTitle, 2, 1, 1, 2);
    grid->addWidget(m_lblBookAuthor, 3, 0);
    grid->addWidget(m_txtBookAuthor, 3, 1, 1, 2);
    grid->addWidget(m_lblOutEncoding, 4, 0);
    grid->addWidget(m_cboOutEncoding, 4, 1);
    // The cover goes with the book: next to its choice, usable when it is chosen.
    m_cmdCover = new QPushButton(QStringLiteral("封面…"), this);
    m_cmdCover->setEnabled(false);
    connect(m_cmdCover, &QPushButton::clicked, this,
            [this] { runGuarded(CommandSide::Reading, [this] { chooseCover(); }); });
    connect(m_cboFormat, &QComboBox::currentIndexChanged, this,
            [this] { m_cmdCover->setEnabled(bookChosen()); });
    grid->addWidget(m_cmdCover, 1, 2);
    m_chkClean = new QCheckBox(QStringLiteral("清理广告"), this);
    m_chkUnwrap = new QCheckBox(QStringLiteral("合并断行"), this);
    m_cmdRemoved = new QPushButton(QStringLiteral("删除的行"), this);
    connect(m_cmdRemoved, &QPushButton::clicked, this,
            [this] { runGuarded(CommandSide::Reading, [this] { showRemovedLines(); }); });
    connect(m_chkClean, &QCheckBox::toggled, this,
            [this] { runGuarded(CommandSide::Reading, [this] { countRemovedLines(); }); });
    grid->addWidget(m_chkClean, 5, 0);
    grid->addWidget(m_chkUnwrap, 5, 1);
    grid->addWidget(m_cmdRemoved, 5, 2);
    grid->setColumnStretch(1, 1);
    return grid;
}

engine::InputEncodingChoice frmTessel::inputEncodingChoice() const {
    return Chosen<engine::InputEncodingChoice>(m_cboEncoding);
}

engine::OutputEncodingChoice frmTessel::outputEncodingChoice() const {
    return Chosen<engine::OutputEncodingChoice>(m_cboOutEncoding);
}

// Each analysis offers what the book says of itself; a field the reader has
// typed into keeps what was typed while the book stays the same.
void frmTessel::showBookTitle() {
    if (!m_analysis) return;
    const bool sameBook = m_strTitleFor == m_analysis->m_strSource;
    m_strTitleFor = m_analysis->m_strSource;
    engine::TitleAndAuthor found;
    try {
        found = engine::DetectTitleAndAuthor(*m_analysis, currentCheckMarks(), outputOptions());
    } catch (const engine::EngineError&) {
        // The output says what is wrong with the source; the fields stay empty.
    }
    for (const auto& [field, text] : {std::pair{m_txtBookTitle, found.title},
                                      std::pair{m_txtBookAuthor, found.author}})
        if (!sameBook || !field->isModified()) field->setText(qs(text));
}

bool frmTessel::bookChosen() const {
    return m_cboFormat->currentIndex() == 1;
}

// The book goes into the chosen folder (beside the source for "(default)"),
// named after the source. One that is there already is replaced only when the
// user says so.
void frmTessel::writeBook() {
    engine::RunRequest request = runRequest();
    const std::optional<std::filesystem::path> target = engine::BookPathFor(*m_analysis, request);
    if (!target) return;
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(*target, error))) {
        const std::u16string question =
            engine::EngineError::outputExists(target->string()).message() +
            u"\n是：覆盖　否：不输出";
        if (platform::MessageBox(m_lstMemo->hWnd(), question, kAppTitle,
                                 platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
            return;
        request.output.existing = engine::ExistingFiles::Overwrite;
    }

    setBusy(true);
    m_cancelledRun = {*target, Written::Book, 0};
    const std::optional<engine::RunOutcome> outcome =
        engine::WriteRunOutput(*m_analysis, currentCheckMarks(), request, outputCallbacks());
    setBusy(false);

    setProgressWidthTwips(kRestingProgressTwips);
    if (!outcome) return;
    const std::u16string& message = outcome->message;
    showOutputDone(qs(message.substr(0, message.find(u'\n'))), outcome->written, Written::Book);
    platform::MessageBox(m_lstMemo->hWnd(), message, u"完毕",
                         platform::MB_OK | platform::MB_ICONINFORMATION);
}

} // namespace lumarin::app
