// SPDX-License-Identifier: MIT
#include "main/frmTessel.h"

#include "engine/headings/HeadingCondition.h"
#include "listview/ListView.h"
#include "main/AppIcon.h"
#include "main/ProductInfo.h"
#include "main/RowColours.h"
#include "platform/PropertyBag.h"
#include "platform/Window.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace lumarin::app {

using platform::qt::qs;

namespace {

// Sizes in the form's own unit: 15 twips make one pixel at 96 dots per inch.
constexpr int Px(int twips) {
    return twips / 15;
}

// The stored form of the chapter list: what differs from a new list's defaults.
platform::PropertyBag ChapterListStoredForm() {
    platform::PropertyBag bag;
    auto font = std::make_shared<platform::StdFont>(u"Tahoma", 8.25);
    bag.WriteProperty(u"backcolor", std::int32_t{0xFFFFFF},
                      platform::OleSystemColor(platform::COLOR_WINDOW));
    bag.WriteProperty(u"reorder", false, true);
    bag.WriteProperty(u"font", font, std::make_shared<platform::StdFont>());
    bag.WriteProperty(u"solidfocusrect", false, true);
    bag.WriteProperty(u"oledropmode", std::int32_t{1}, std::int32_t{0});
    bag.WriteProperty(u"checkboxes", true, false);
    bag.WriteProperty(u"itemsautosize", false, true);
    bag.WriteProperty(u"sortable", false, true);
    return bag;
}

// A word of the legend drawn as the list draws a row in that state.
QString RowSample(std::int32_t back, std::int32_t fore, const QString& word) {
    const auto rgb = [](std::int32_t ole) {
        return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF).name();
    };
    return QStringLiteral("<span style=\"background-color:%1; color:%2\">&nbsp;%3&nbsp;</span>")
        .arg(rgb(back), rgb(fore), word);
}

// A button that reads as a link, like the links in the status line's own text.
void LookLikeLink(QPushButton* button) {
    button->setFlat(true);
    button->setCursor(Qt::PointingHandCursor);
    QFont underlined; // only the underline: the rest follows the window's font
    underlined.setUnderline(true);
    button->setFont(underlined);
    QPalette palette = button->palette();
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, palette.color(QPalette::Link));
    button->setPalette(palette);
}

// A text box that holds several lines. Paths and conditions have no spaces
// to break at: they wrap anywhere.
QPlainTextEdit* MemoBox(QWidget* parent, int lines) {
    auto* box = new QPlainTextEdit(parent);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setProperty("lines", lines);
    box->setTabChangesFocus(true);
    return box;
}

// Heights that follow the font: a memo box shows its number of lines.
void FitMemoHeight(QPlainTextEdit* box) {
    const int lines = box->property("lines").toInt();
    const int frame =
        2 * box->frameWidth() + 2 * static_cast<int>(box->document()->documentMargin());
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + frame + 2);
}

// The list's columns at the start, in pixels at 96 dpi: number, heading, preview.
constexpr std::int32_t kColumnWidths[] = {48, 300, 210};
// The title and the preview take what room the list has; the other columns keep their widths.
constexpr std::int32_t kTitleColumn = 1;
constexpr std::int32_t kPreviewColumn = 2;
// The volume column comes last, so the others keep their places.
constexpr std::int32_t kVolumeColumnWidth = 90;

} // namespace

frmTessel::frmTessel(QWidget* parent) : QWidget(parent) {
    setFont(QFont(QStringLiteral("Tahoma"), 9));
    setWindowIcon(AppIcon());
    buildControls();
    buildAuditControls();
    createChapterList();
    buildReviewActions();
    buildEmptyListNote();
    layOutControls();
    nameControlsForReaders();
    Form_Load();
}

frmTessel::~frmTessel() {
    // The host widget goes with the form; the list's window must not outlive its host.
    delete m_lstMemoHost;
    m_lstMemoHost = nullptr;
    m_lstMemo.reset();
}

void frmTessel::buildControls() {
    m_picBack = new QWidget(this);

    const auto label = [this](const char16_t* caption) { return new QLabel(qs(caption), this); };
    m_lblSource = label(u"源文件：");
    m_lblBook = label(u"");
    // What a tick and the row colours mean, under the list.
    m_lblLegend = new QLabel(
        RowSample(kCheckedBack, kBlack, QStringLiteral("打勾")) +
            QStringLiteral("：不作分割点，并入上一章　") +
            RowSample(kFlaggedBack, kBlack, QStringLiteral("可疑")) + QStringLiteral("：请核对　") +
            RowSample(kSelectedBack, ColoursOfRow(RowState::Selected, kBlack).fore,
                      QStringLiteral("选中")),
        this);
    m_lblLegend->setTextFormat(Qt::RichText);
    m_lblCondition = label(u"标题条件（支持正则表达式）");
    m_lblOutputName = label(u"输出文件：");
    m_lblOutputFolder = label(u"输出路径：");
    m_lblFilters = label(u"过滤字符串（不支持正则表达式，可以留空）");
    m_lblPatternNumber = label(u"%n - 代表文件序号");
    m_lblPatternChapter = label(u"%c - 代表章节数");
    m_lblPatternTitle = label(u"%s - 代表章节标题");
    m_lblFilesPerFolder = label(u"每个目录文件数（0为不分目录）：");
    m_lblSplitSize = label(u"按字数分割（0为不分割）：");
    m_lblChaptersPerFile = label(u"每个文件包含章节数（默认为1）：");
    // The condition's caption may take two lines; the filters' caption is kept
    // on one, so that its closing "空）" never stands alone on a line.
    m_lblCondition->setWordWrap(true);

    m_txtFile = MemoBox(this, 2);
    m_txtFile->setReadOnly(true); // locked: the path comes from the chooser or a drop
    m_txtFile->setAcceptDrops(false);
    m_txtFile->viewport()->setAcceptDrops(true);
    m_txtFile->viewport()->installEventFilter(this);
    m_cmdOpenFile = new QPushButton(QStringLiteral("…"), this);

    m_txtFind = MemoBox(this, 4); // the whole default condition
    m_txtOut = new QLineEdit(this);
    m_cboFolderOut = new QComboBox(this);
    m_cboFolderOut->setEditable(true);
    m_cboFolderOut->setInsertPolicy(QComboBox::NoInsert);
    m_cmdOpenFolder = new QPushButton(QStringLiteral("…"), this);
    m_txtNum = new QLineEdit(this);
    m_txtCount = new QLineEdit(this);
    m_txtSplitSize = new QLineEdit(this);
    m_chkVolumeFolders = new QCheckBox(QStringLiteral("按卷分文件夹"), this);
    m_txtReplace = MemoBox(this, 3);
    m_txtReplace->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_chkDelSpc = new QCheckBox(QStringLiteral("删除空行"), this);
    m_chkFJconv = new QCheckBox(QStringLiteral("转换为简体"), this);
    // Alt and the letter presses a button, as on every desktop.
    m_cmdAnalyze = new QPushButton(QStringLiteral("分析(&A)"), this);
    m_cmdSaveOut = new QPushButton(QStringLiteral("输出(&S)"), this);
    m_cmdOrder = new QPushButton(QStringLiteral("排序↑(&R)"), this);
    buildFormatChoices();

    m_imgAbout = new QLabel(this);
    m_imgAbout->setPixmap(AppIcon().pixmap(16, 16));
    m_imgAbout->setCursor(Qt::PointingHandCursor);
    m_imgAbout->setToolTip(QStringLiteral("关于"));
    m_imgAbout->installEventFilter(this);

    m_shpDone = new QFrame(this);
    m_shpDone->setAutoFillBackground(true);
    QPalette bar = m_shpDone->palette();
    bar.setColor(QPalette::Window, QColor(127, 157, 185));
    m_shpDone->setPalette(bar);
    m_lblState = new QLabel(this);
    m_lblState->setAttribute(Qt::WA_TranslucentBackground);
    m_lblState->installEventFilter(this);
    m_cmdOpenOut = new QPushButton(this);
    LookLikeLink(m_cmdOpenOut);
    // Hidden until an output has named where it wrote.
    m_cmdOpenOut->setEnabled(false);
    m_cmdOpenOut->hide();
    buildOptionsMenu();

    const auto onClick = [this](QPushButton* button, CommandSide side,
                                void (frmTessel::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, side, handler] {
            runGuarded(side, [this, handler] { (this->*handler)(); });
        });
    };
    onClick(m_cmdAnalyze, CommandSide::Reading, &frmTessel::cmdAnalyze_Click);
    onClick(m_cmdSaveOut, CommandSide::Writing, &frmTessel::cmdSaveOut_Click);
    onClick(m_cmdOrder, CommandSide::Other, &frmTessel::cmdOrder_Click);
    onClick(m_cmdOpenFile, CommandSide::Reading, &frmTessel::cmdOpenFile_Click);
    onClick(m_cmdOpenFolder, CommandSide::Writing, &frmTessel::cmdOpenFolder_Click);
    onClick(m_cmdOpenOut, CommandSide::Other, &frmTessel::cmdOpenOut_Click);
}

void frmTessel::createChapterList() {
    m_lstMemo = std::make_unique<listview::ListView>();
    m_lstMemo->EventSink(this);
    m_lstMemo->LoadStoredProperties(ChapterListStoredForm());
    m_lstMemoHost = new platform::qt::WindowHostWidget(m_lstMemo->hWnd(), this);
    m_lstMemoHost->setMinimumSize(200, 120);
    m_lstMemoHost->installEventFilter(this);
}

// 标题 and 预览 share the list's width in the reader's proportion: growing the
// window widens both, and a divider the reader moved stays where it was put.
// In a narrow list 预览 gives way first, down to a third of its start width,
// while 标题 keeps its start width (or the narrower one the reader chose); only
// then does the list need a horizontal scroll bar.
void frmTessel::fitTextColumns() {
    listview::ListView& list = *m_lstMemo;
    if (list.ColumnCount() <= kPreviewColumn) return;
    platform::RECT client;
    platform::GetClientRect(list.hWnd(), &client);
    std::int32_t others = 0;
    for (std::int32_t c = 0; c < list.ColumnCount(); ++c)
        if (c != kTitleColumn && c != kPreviewColumn)
            others += list.ColumnWidth(listview::PositionOrKey(c));
    const std::int32_t room = client.right - others;
    if (room <= 0) return;
    const std::int32_t title = list.ColumnWidth(listview::PositionOrKey(kTitleColumn));
    const std::int32_t preview = list.ColumnWidth(listview::PositionOrKey(kPreviewColumn));
    const std::int32_t titleStart = platform::ScaleToDevice(kColumnWidths[kTitleColumn]);
    const std::int32_t previewLeast = platform::ScaleToDevice(kColumnWidths[kPreviewColumn] / 3);
    // A divider the reader moved: the other column of the two takes up the difference.
    const bool titleMoved = title != m_lngTitleWidthSet;
    const bool previewMoved = preview != m_lngPreviewWidthSet;
    if (titleMoved && previewMoved) {
        m_dblTitleShare = static_cast<double>(title) / std::max(1, title + preview);
    } else if (titleMoved) {
        m_dblTitleShare = std::clamp(static_cast<double>(title) / room, 0.0, 1.0);
    } else if (previewMoved) {
        m_dblTitleShare = std::clamp(1.0 - static_cast<double>(preview) / room, 0.0, 1.0);
    }
    if (titleMoved) m_lngTitleLeast = std::min(titleStart, title);
    const std::int32_t shared = static_cast<std::int32_t>(std::lround(room * m_dblTitleShare));
    const std::int32_t newTitle =
        std::max({shared, std::min(m_lngTitleLeast, room - previewLeast), titleStart / 3});
    const std::int32_t newPreview = std::max(previewLeast, room - newTitle);
    if (newTitle != title) list.ColumnWidth(listview::PositionOrKey(kTitleColumn), newTitle);
    if (newPreview != preview) list.ColumnWidth(listview::PositionOrKey(kPreviewColumn), newPreview);
    m_lngTitleWidthSet = newTitle;
    m_lngPreviewWidthSet = newPreview;
}

std::vector<int> frmTessel::columnWidths() const {
    std::vector<int> widths;
    for (std::int32_t c = 0; c < m_lstMemo->ColumnCount(); ++c)
        widths.push_back(static_cast<int>(std::lround(
            m_lstMemo->ColumnWidth(listview::PositionOrKey(c)) / platform::GetDeviceScale())));
    return widths;
}

void frmTessel::setColumnWidths(const std::vector<int>& widths) {
    for (std::int32_t c = 0; c < m_lstMemo->ColumnCount(); ++c)
        if (static_cast<std::size_t>(c) < widths.size() && widths[c] > 0)
            m_lstMemo->ColumnWidth(listview::PositionOrKey(c), platform::ScaleToDevice(widths[c]));
    fitTextColumns();
}

void frmTessel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    for (QPlainTextEdit* box : {m_txtFile, m_txtFind, m_txtReplace})
        if (box != nullptr) FitMemoHeight(box); // none yet while the form is built
    fitLeftColumn();
}

// The left column is a list of rows (label, field, button) in a scroll area of
// one steady width: rows added later only lengthen it, and a short screen
// scrolls it instead of making the window taller than the screen. Texts that
// change (counts, the selected row, the status line) never set a least width,
// so the window never resizes itself.
void frmTessel::layOutControls() {
    constexpr int kButtonWidth = 22;
    auto* inputs = new QGridLayout;
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->setVerticalSpacing(3);
    int row = 0;
    // The about picture sits in the left margin under "源文件：".
    auto* sourceLabel = new QVBoxLayout;
    sourceLabel->addWidget(m_lblSource);
    sourceLabel->addWidget(m_imgAbout);
    sourceLabel->addStretch(1);
    inputs->addLayout(sourceLabel, row, 0);
    inputs->addWidget(m_txtFile, row, 1);
    inputs->addWidget(m_cmdOpenFile, row++, 2, Qt::AlignTop);
    inputs->addWidget(m_lblCondition, row++, 0, 1, 3);
    inputs->addWidget(m_cboRule, row++, 0, 1, 3);
    inputs->addWidget(m_txtFind, row++, 0, 1, 3);
    inputs->addWidget(m_lblRule, row++, 0, 1, 3);
    inputs->addWidget(m_lblOutputName, row, 0);
    inputs->addWidget(m_txtOut, row++, 1, 1, 2);
    for (QLabel* help : {m_lblPatternNumber, m_lblPatternChapter, m_lblPatternTitle})
        inputs->addWidget(help, row++, 1, 1, 2);
    inputs->addWidget(m_lblOutputFolder, row, 0);
    m_cboFolderOut->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboFolderOut->setMinimumContentsLength(10);
    inputs->addWidget(m_cboFolderOut, row, 1);
    inputs->addWidget(m_cmdOpenFolder, row++, 2);
    auto* numbers = new QGridLayout;
    numbers->addWidget(m_lblChaptersPerFile, 0, 0);
    numbers->addWidget(m_txtNum, 0, 1);
    numbers->addWidget(m_lblFilesPerFolder, 1, 0);
    numbers->addWidget(m_txtCount, 1, 1);
    numbers->addWidget(m_lblSplitSize, 2, 0);
    numbers->addWidget(m_txtSplitSize, 2, 1);
    numbers->addWidget(m_chkVolumeFolders, 3, 0, 1, 2);
    numbers->setColumnStretch(2, 1);
    inputs->addLayout(numbers, row++, 0, 1, 3);
    inputs->addLayout(formatChoicesLayout(), row++, 0, 1, 3);
    auto* lineOptions = new QHBoxLayout;
    lineOptions->addWidget(m_chkDelSpc);
    lineOptions->addWidget(m_chkFJconv);
    lineOptions->addStretch(1);
    inputs->addLayout(lineOptions, row++, 0, 1, 3);
    inputs->addWidget(m_lblFilters, row++, 0, 1, 3);
    inputs->addWidget(m_txtReplace, row++, 0, 1, 3);
    // Room to spare goes below the last row, never into the boxes.
    inputs->setRowStretch(row, 1);
    m_cmdOpenFile->setFixedWidth(kButtonWidth);
    m_cmdOpenFolder->setFixedWidth(kButtonWidth);
    // The inputs' own texts set the column's least width (it follows the
    // font); the path fields keep at least a usable width besides.
    inputs->setColumnMinimumWidth(1, Px(1800));

    m_leftColumn = new QWidget;
    m_leftColumn->setLayout(inputs);
    auto* leftScroll = new QScrollArea(this);
    leftScroll->setObjectName(QStringLiteral("leftScroll"));
    leftScroll->setWidget(m_leftColumn);
    leftScroll->setWidgetResizable(true);
    leftScroll->setFrameShape(QFrame::NoFrame);
    leftScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    leftScroll->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    leftScroll->setMinimumHeight(Px(1500));
    // A wheel turned to scroll the column must not change a choice the pointer
    // passes over: a list of choices takes the wheel only once it has the focus.
    for (QComboBox* choice : m_leftColumn->findChildren<QComboBox*>()) {
        choice->setFocusPolicy(Qt::StrongFocus);
        choice->installEventFilter(this);
    }

    // Counting buttons keep the width of their widest count.
    const auto steadyWidth = [](QPushButton* button, const QString& widest) {
        const QString text = button->text();
        button->setText(widest);
        button->setMinimumWidth(button->sizeHint().width());
        button->setText(text);
    };
    steadyWidth(m_cmdCheckFlagged, QStringLiteral("勾选可疑(88888)"));
    steadyWidth(m_cmdNearMisses, QStringLiteral("疑似标题(88888)"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdAnalyze);
    buttons->addWidget(m_cmdSaveOut);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdCheckFlagged);
    buttons->addWidget(m_cmdNearMisses);
    buttons->addWidget(m_cmdOrder);
    buttons->addWidget(m_cmdOptions);

    for (QLabel* changing : {m_lblBook, m_lblLegend, m_lblRow, m_lblState})
        changing->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(m_lblBook);
    m_stkList = new QStackedLayout;
    m_stkList->addWidget(m_lstMemoHost);
    m_stkList->addWidget(m_lblEmpty);
    rightColumn->addLayout(m_stkList, 3);
    rightColumn->addWidget(m_lblLegend);
    rightColumn->addWidget(m_lblRow);
    rightColumn->addWidget(m_txtPreview, 2);
    rightColumn->addLayout(buttons);

    // The list and the preview take all the room the inputs leave.
    auto* body = new QHBoxLayout;
    body->addWidget(leftScroll, 0);
    body->addLayout(rightColumn, 1);

    // The status line: the progress bar lies behind the status text.
    auto* status = new QWidget(this);
    status->setFixedHeight(m_lblState->fontMetrics().height() + 6);
    m_shpDone->setParent(status);
    m_lblState->setParent(status);
    m_shpDone->setGeometry(0, 0, 1, status->height());
    auto* statusText = new QHBoxLayout(status);
    statusText->setContentsMargins(4, 0, 4, 0);
    statusText->addWidget(m_lblState);
    m_shpDone->lower();

    auto* form = new QVBoxLayout(m_picBack);
    form->setContentsMargins(6, 6, 6, 2);
    form->addLayout(body, 1);
    auto* statusLine = new QHBoxLayout;
    statusLine->addWidget(status, 1);
    statusLine->addWidget(m_cmdOpenOut, 0);
    form->addLayout(statusLine);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_picBack);
    for (QPlainTextEdit* box : {m_txtFile, m_txtFind, m_txtReplace})
        FitMemoHeight(box);
    fitLeftColumn();
    // Wide enough for the three columns of the list beside the inputs, the
    // inputs taking at most two fifths of it (a wide font widens the window,
    // not the inputs' share), and never larger than the screen.
    QSize start(std::max(Px(13200), leftScroll->maximumWidth() * 5 / 2), Px(8100));
    if (const QScreen* shown = screen(); shown != nullptr)
        start = start.boundedTo(shown->availableGeometry().size() * 9 / 10);
    resize(start.expandedTo(minimumSizeHint()));
}

void frmTessel::fitLeftColumn() {
    auto* scroll = findChild<QScrollArea*>(QStringLiteral("leftScroll"));
    if (scroll == nullptr || m_leftColumn == nullptr) return;
    // Number fields hold six digits (seven for a size in characters).
    const auto digits = [](QLineEdit* field, int count) {
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(count, u'0')) + 12);
    };
    digits(m_txtNum, 6);
    digits(m_txtCount, 6);
    digits(m_txtSplitSize, 7);
    // One width for every book: what the inputs need, at least room for a
    // path of forty Latin letters (digits measure the same in a Chinese
    // font as in any other, where an average character counts Chinese ones),
    // and room for the bar that a short window shows.
    const int inputs = std::max(m_leftColumn->minimumSizeHint().width(),
                                fontMetrics().horizontalAdvance(QString(40, u'0')));
    m_leftColumn->setFixedWidth(inputs);
    scroll->setFixedWidth(inputs + scroll->verticalScrollBar()->sizeHint().width());
}

void frmTessel::Form_Load() {
    setWindowTitle(qs(kProductCaption) + QStringLiteral(" - [未打开]"));
    // The engine's start values are the window's.
    const engine::RunRequest defaults;
    m_strOwnCondition = defaults.analysis.condition;
    fillRuleChoice();
    m_txtOut->setText(qs(defaults.output.namePattern));
    m_strProgressFullWidth = kFullProgressWidth;
    m_chkDelSpc->setChecked(defaults.output.deleteBlankLines);
    m_chkFJconv->setChecked(defaults.output.toSimplified);
    m_cboFolderOut->addItem(qs(defaults.output.folderText));
    // The second suggestion: one folder for all novels, in the home folder.
    m_cboFolderOut->addItem(QDir::home().filePath(QStringLiteral("文本小说[Txt]")) +
                            QLatin1Char('/'));
    m_cboFolderOut->setCurrentIndex(0);
    m_cboFolderOut->setEditText(m_cboFolderOut->itemText(0));
    m_txtCount->setText(QString::number(defaults.output.filesPerFolder));
    m_txtSplitSize->setText(QString::number(defaults.output.splitSize));
    m_chkVolumeFolders->setChecked(defaults.output.volumeFolders);
    m_txtNum->setText(QString::number(defaults.output.chaptersPerFile));
    setProgressWidthTwips(kRestingProgressTwips);
    setStatusText(QStringLiteral("拖拽文件到列表框…"));
    showListBook();

    m_lstMemo->Redraw(false);
    // Widths in device pixels: the list measures in them.
    m_lstMemo->AddColumn(u"colNum", u"章", 0, platform::ScaleToDevice(kColumnWidths[0]));
    m_lstMemo->AddColumn(u"colText", u"标题", 0, platform::ScaleToDevice(kColumnWidths[1]));
    m_lstMemo->AddColumn(u"colPreview", u"预览", 0, platform::ScaleToDevice(kColumnWidths[2]));
    m_lstMemo->AddColumn(u"colVolume", u"卷", 0, platform::ScaleToDevice(kVolumeColumnWidth));
    m_lstMemo->DrawCallback(this);
    m_lstMemo->Redraw(true);

    loadSettings();
    m_intRuleShown = m_cboRule->currentIndex();
    showConditionInUse();
    connect(m_cboRule, &QComboBox::currentIndexChanged, this,
            [this](int index) { ruleChoiceChanged(index); });
    connect(m_txtFind, &QPlainTextEdit::textChanged, this, [this] { conditionEdited(); });
    setTopMost(m_blnTopMost);
}

void frmTessel::Form_Unload() {
    saveSettings();
    setTopMost(false);
}

void frmTessel::closeEvent(QCloseEvent* event) {
    if (m_blnOutputRunning) {
        // Closing now would leave half-written chapter files behind.
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmTessel::setTopMost(bool topMost) {
    if (testAttribute(Qt::WA_WState_Created) && isVisible()) {
        setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
        show(); // changing window flags hides a shown window
    } else {
        setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    }
}

} // namespace lumarin::app
