// SPDX-License-Identifier: MIT
// The window as a screen reader finds it, through Qt's accessibility API in
// this process: the chapter list as a table, the names of the inputs, the
// events a reader follows. Qt sends events only while a reader listens, so
// each test turns that on as the desktop's bridge would, and records them.

#include "ColourDifference.h"
#include "MainWindowFixture.h"
#include "main/RowColours.h"
#include "main/frmNearMisses.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace lumarin::app {
namespace {

using namespace platform;

struct Heard {
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    int row = -2; // of a table cell
    int column = -2;
    bool checkedChanged = false;
    QObject* object = nullptr;
};

std::vector<Heard>& HeardEvents() {
    static std::vector<Heard> heard;
    return heard;
}

void Record(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    Heard h{event->type(), iface ? iface->role() : QAccessible::NoRole,
            iface ? iface->text(QAccessible::Name) : QString()};
    if (iface != nullptr && iface->tableCellInterface() != nullptr) {
        h.row = iface->tableCellInterface()->rowIndex();
        h.column = iface->tableCellInterface()->columnIndex();
    }
    if (event->type() == QAccessible::StateChanged)
        h.checkedChanged =
            static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    h.object = event->object();
    HeardEvents().push_back(h);
}

void Listen(bool on) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(on);
    QAccessible::installUpdateHandler(on ? &Record : nullptr);
    HeardEvents().clear();
}

std::vector<std::string> Gapped() {
    // 一 二 三 五: the row of 五 is doubted, a chapter is missing before it.
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第五回 合", "第六回 终"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　正文。");
    }
    return lines;
}

// A table of contents (checked rows), then the chapters.
std::vector<std::string> WithContents() {
    std::vector<std::string> lines = {"书名：青灯",  "目录", "第一章 开始", "第二章 继续",
                                      "第三章 结束", "",     "正文"};
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　这是正文的一行。");
    }
    return lines;
}

class Readers : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        Listen(true);
    }
    void TearDown() override { Listen(false); }

    QAccessibleInterface* table() {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window->lstMemoHost());
        EXPECT_NE(iface, nullptr);
        return iface;
    }
    QAccessibleInterface* cell(int row, int column) {
        QAccessibleInterface* c = table()->tableInterface()->cellAt(row, column);
        EXPECT_NE(c, nullptr) << row << "," << column;
        return c;
    }
    // The list holds the keyboard focus, as after Tab or a click.
    void focusList() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->lstMemoHost()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(GetFocus(), list().hWnd());
        HeardEvents().clear();
    }
    std::vector<const Heard*> marksHeard() {
        std::vector<const Heard*> found;
        for (const Heard& h : HeardEvents())
            if (h.type == QAccessible::StateChanged && h.checkedChanged) found.push_back(&h);
        return found;
    }
    std::vector<const Heard*> heard(QAccessible::Event type) {
        std::vector<const Heard*> found;
        for (const Heard& h : HeardEvents())
            if (h.type == type) found.push_back(&h);
        return found;
    }
};

TEST_F(Readers, TheChapterListIsATableOfTheAnalysedRows) {
    analyse(writeNovel(WithContents()));
    ASSERT_EQ(list().ItemCount(), 6);
    EXPECT_FALSE(heard(QAccessible::TableModelChanged).empty()) << "readers hear the new rows";

    QAccessibleInterface* iface = table();
    ASSERT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("章节列表"));
    QAccessibleTableInterface* rows = iface->tableInterface();
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->rowCount(), 6);
    ASSERT_EQ(rows->columnCount(), 4);
    const QString headers[] = {QStringLiteral("章"), QStringLiteral("标题"), QStringLiteral("预览"),
                               QStringLiteral("卷")};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(rows->columnDescription(c), headers[c]);
        QAccessibleInterface* header = iface->child(c);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(header->text(QAccessible::Name), headers[c]);
        EXPECT_EQ(cell(2, c)->tableCellInterface()->columnHeaderCells().value(0), header);
    }
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c) {
            QAccessibleInterface* one = cell(r, c);
            EXPECT_EQ(one->role(), QAccessible::Cell);
            EXPECT_EQ(one->text(QAccessible::Name),
                      QString::fromStdU16String(list().ItemText(r, c)));
            EXPECT_EQ(iface->indexOfChild(one), (r + 1) * 4 + c);
            EXPECT_EQ(iface->child((r + 1) * 4 + c), one) << "one object per cell";
        }
        const QAccessible::State mark = cell(r, 0)->state();
        EXPECT_TRUE(mark.checkable);
        EXPECT_EQ(mark.checked, list().ItemChecked(r)) << "row " << r;
    }
    EXPECT_EQ(cell(3, 1)->text(QAccessible::Name), QStringLiteral("第一章 开始"));
    EXPECT_EQ(iface->childCount(), 4 * 7);
    EXPECT_EQ(rows->cellAt(6, 0), nullptr);

    // A reader finds a cell under the pointer where it is drawn.
    const QRect shown = cell(4, 1)->rect();
    ASSERT_TRUE(shown.isValid());
    EXPECT_EQ(iface->childAt(shown.center().x(), shown.center().y()), cell(4, 1));
}

TEST_F(Readers, ATickIsReadAsTheCheckedStateAndHeard) {
    analyse(writeNovel(WithContents()));
    ASSERT_FALSE(list().ItemChecked(4));
    const QString before = window->windowTitle();

    // The reader's own action, as Orca offers it on the row's first cell.
    QAccessibleActionInterface* actions = cell(4, 0)->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(list().ItemChecked(4));
    EXPECT_TRUE(cell(4, 0)->state().checked);
    EXPECT_NE(window->windowTitle(), before) << "the caption counts as after a click";
    const auto changes = marksHeard();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0]->row, 4);
    EXPECT_EQ(changes[0]->column, 0);

    // Space on the list, as the user ticks by keyboard.
    focusList();
    list().SelectedItem(5);
    QTest::keyClick(window->lstMemoHost(), Qt::Key_Space);
    EXPECT_TRUE(cell(5, 0)->state().checked);
    EXPECT_EQ(marksHeard().size(), 1u);
    QTest::keyClick(window->lstMemoHost(), Qt::Key_Space);
    EXPECT_FALSE(cell(5, 0)->state().checked);
}

TEST_F(Readers, MovingTheCurrentRowMovesTheReadersFocus) {
    analyse(writeNovel(WithContents()));
    focusList();
    const struct {
        Qt::Key key;
        int row;
    } steps[] = {
        {Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_End, 5}, {Qt::Key_Up, 4}, {Qt::Key_Home, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(::testing::Message() << "to row " << step.row);
        HeardEvents().clear();
        QTest::keyClick(window->lstMemoHost(), step.key);
        const auto focus = heard(QAccessible::Focus);
        ASSERT_FALSE(focus.empty());
        EXPECT_EQ(focus.back()->row, step.row);
        EXPECT_EQ(focus.back()->role, QAccessible::Cell);
        EXPECT_TRUE(cell(step.row, 0)->state().focused);
        EXPECT_EQ(table()->focusChild(), cell(step.row, 0));
    }
    EXPECT_FALSE(cell(1, 0)->state().focused);
    // Without the keyboard focus the list moves no reader's focus.
    window->txtOut()->setFocus();
    QApplication::processEvents();
    HeardEvents().clear();
    list().SelectedItem(3);
    EXPECT_TRUE(heard(QAccessible::Focus).empty());
    EXPECT_FALSE(cell(3, 0)->state().focused);
}

TEST_F(Readers, ADoubtedRowSaysWhy) {
    analyse(writeNovel(Gapped()));
    ASSERT_EQ(list().ItemCount(), 5);
    EXPECT_TRUE(cell(3, 1)->text(QAccessible::Description).contains(QStringLiteral("缺章")))
        << cell(3, 1)->text(QAccessible::Description).toStdString();
    EXPECT_TRUE(table()->tableInterface()->rowDescription(3).contains(QStringLiteral("缺章")));
    EXPECT_EQ(cell(0, 1)->text(QAccessible::Description), QString());
}

// The name a reader says for a widget: its label's text where a label names it
// (Linux readers take a combo box's label from the relation), else its own name.
QString SpokenName(QWidget* widget) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    if (iface == nullptr) return {};
    const auto labels = iface->relations(QAccessible::Label);
    if (!labels.isEmpty()) return labels.first().first->text(QAccessible::Name);
    return iface->text(QAccessible::Name);
}

TEST_F(Readers, EveryInputIsNamedByItsLabelOrItsOwnName) {
    analyse(writeNovel(Gapped()));
    window->cmdNearMisses()->click();
    QList<QWidget*> inputs;
    for (QWidget* top :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->nearMissWindow())}) {
        if (top == nullptr) continue; // the near misses may show inside the window
        for (QWidget* w : top->findChildren<QWidget*>()) {
            const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                               qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                               qobject_cast<QAbstractButton*>(w);
            // A combo box's own editor is part of the combo box; what is hidden is not read.
            if (input && !qobject_cast<QComboBox*>(w->parentWidget()) && w->isVisibleTo(top))
                inputs << w;
        }
    }
    inputs << window->lstMemoHost() << window->lblState();
    ASSERT_GT(inputs.size(), 30);
    for (QWidget* w : inputs)
        EXPECT_FALSE(SpokenName(w).trimmed().isEmpty())
            << w->metaObject()->className() << " " << w->objectName().toStdString() << " "
            << w->toolTip().toStdString() << (w->isVisible() ? " shown" : " hidden");

    const struct {
        QWidget* field;
        const char* name;
    } labelled[] = {
        {window->txtFile(), "源文件："},
        {window->cboRule(), "标题条件（支持正则表达式）"},
        {window->txtFind(), "标题条件"},
        {window->txtOut(), "输出文件："},
        {window->cboFolderOut(), "输出路径："},
        {window->txtNum(), "每个文件包含章节数（默认为1）："},
        {window->txtCount(), "每个目录文件数（0为不分目录）："},
        {window->txtSplitSize(), "按字数分割（0为不分割）："},
        {window->txtReplace(), "过滤字符串（不支持正则表达式，可以留空）"},
        {window->cboEncoding(), "源文件编码："},
        {window->cboFormat(), "输出格式："},
        {window->cboOutEncoding(), "输出编码："},
        {window->txtPreview(), "章节预览"},
        {window->cmdOpenFile(), "选择源文件"},
    };
    for (const auto& l : labelled)
        EXPECT_EQ(SpokenName(l.field), QString::fromUtf8(l.name));

    QLabel* about = nullptr;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (!label->pixmap().isNull()) about = label;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(SpokenName(about), QStringLiteral("关于"));
}

TEST_F(Readers, TheConditionBoxSaysWhetherItCanBeEditedAndWhy) {
    QComboBox* rule = window->cboRule();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(window->txtFind());
    const int builtIn = 2;
    rule->setCurrentIndex(builtIn);
    EXPECT_TRUE(box->state().readOnly);
    const QString ruleName = rule->itemData(builtIn).toString();
    EXPECT_TRUE(box->text(QAccessible::Description).contains(ruleName))
        << box->text(QAccessible::Description).toStdString();
    EXPECT_TRUE(box->text(QAccessible::Description).startsWith(QStringLiteral("只读")));

    useOwnCondition();
    EXPECT_FALSE(box->state().readOnly);
    EXPECT_FALSE(box->text(QAccessible::Description).startsWith(QStringLiteral("只读")));

    rule->setCurrentIndex(rule->findText(QStringLiteral("自动")));
    EXPECT_TRUE(box->text(QAccessible::Description).contains(QStringLiteral("自动")));
}

TEST_F(Readers, TheStatusLineIsAStatusBarWhoseChangesAreHeardWhole) {
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(window->lblState());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->role(), QAccessible::StatusBar);

    window->resize(300, window->height()); // too narrow for the whole path
    analyse(writeNovel(WithContents(), "一本名字很长很长很长很长很长很长很长很长的书.txt"));
    HeardEvents().clear();
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const auto said = heard(QAccessible::NameChanged);
    std::vector<QString> statuses;
    for (const Heard* h : said)
        if (h->object == window->lblState()) statuses.push_back(h->name);
    ASSERT_FALSE(statuses.empty());
    EXPECT_TRUE(
        statuses.back().contains(QStringLiteral("一本名字很长很长很长很长很长很长很长很长的书")))
        << statuses.back().toStdString();
    EXPECT_EQ(status->text(QAccessible::Name), statuses.back());

    // Review messages are heard too, as plain words.
    HeardEvents().clear();
    ASSERT_FALSE(window->SplitAtLine(window->reviewedAnalysis()->table.m_lngStartLine[4]));
    statuses.clear();
    for (const Heard* h : heard(QAccessible::NameChanged))
        if (h->object == window->lblState()) statuses.push_back(h->name);
    ASSERT_FALSE(statuses.empty());
    EXPECT_TRUE(statuses.back().contains(QStringLiteral("已是分割点")))
        << statuses.back().toStdString();
}

TEST_F(Readers, TabVisitsTheInputsTheListAndTheButtonsInTheirPlaces) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->txtFile()->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited;
    for (int i = 0; i < 60 && (visited.empty() || QApplication::focusWidget() != visited.front());
         ++i) {
        visited.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const auto place = [&](QWidget* w) {
        const auto at = std::find(visited.begin(), visited.end(), w);
        EXPECT_NE(at, visited.end()) << w->metaObject()->className() << " never has the focus";
        return at - visited.begin();
    };
    // Down the inputs, then the list, its preview and the buttons under it.
    QWidget* const order[] = {window->txtFile(),     window->cmdOpenFile(), window->cboRule(),
                              window->txtFind(),     window->txtOut(),      window->cboFolderOut(),
                              window->txtNum(),      window->txtCount(),    window->txtSplitSize(),
                              window->cboEncoding(), window->cboFormat(),   window->chkDelSpc(),
                              window->txtReplace(),  window->lstMemoHost(), window->txtPreview(),
                              window->cmdAnalyze(),  window->cmdSaveOut(),  window->cmdOrder()};
    for (std::size_t i = 1; i < std::size(order); ++i)
        EXPECT_LT(place(order[i - 1]), place(order[i])) << "step " << i;
}

// ---- colours --------------------------------------------------------------------------------

TEST(RowColoursTest, TextKeepsAAContrastAndStatesStayApartUnderEveryPalette) {
    // The desktop's text colour: dark, light (a dark high-contrast theme), yellow, a light grey.
    const std::int32_t texts[] = {0x000000, 0xFFFFFF, 0x00FFFF, 0x767676, 0xC0C0C0};
    const RowState states[] = {RowState::Plain, RowState::Checked, RowState::Doubted,
                               RowState::Selected};
    for (const std::int32_t text : texts) {
        SCOPED_TRACE(::testing::Message() << std::hex << "text " << text);
        std::vector<std::int32_t> backs;
        for (const RowState state : states) {
            const RowColours c = ColoursOfRow(state, text);
            EXPECT_GE(ContrastRatio(c.fore, c.back), kLeastTextContrast)
                << "state " << static_cast<int>(state);
            backs.push_back(c.back);
        }
        for (std::size_t i = 0; i < backs.size(); ++i)
            for (std::size_t j = i + 1; j < backs.size(); ++j)
                EXPECT_GE(test::DeltaE2000(test::LabOfOle(backs[i]), test::LabOfOle(backs[j])),
                          10.0)
                    << "states " << i << " and " << j;
    }
    // The rows' own colours, and the palette's text kept where it reads.
    EXPECT_EQ(ColoursOfRow(RowState::Plain, 0x000000).back, 0xFFFFFF);
    EXPECT_EQ(ColoursOfRow(RowState::Selected, 0x000000).back, 0xB99D7F);
    EXPECT_EQ(ColoursOfRow(RowState::Checked, 0x202020).fore, 0x202020);
    EXPECT_EQ(ColoursOfRow(RowState::Selected, 0xFFFFFF).fore, 0x000000)
        << "white on the selection blue is 2.8:1";
}

TEST(RowColoursTest, ContrastRatioMatchesPublishedValues) {
    const struct {
        std::int32_t one, two;
        double ratio;
    } pairs[] = {
        {0x000000, 0xFFFFFF, 21.0},
        {0xFFFFFF, 0xFFFFFF, 1.0},
        {0x767676, 0xFFFFFF, 4.54}, // the lightest grey that passes on white
        {0xB99D7F, 0xFFFFFF, 2.83}, // white on the selection blue: why selected text is dark
    };
    for (const auto& p : pairs) {
        EXPECT_NEAR(ContrastRatio(p.one, p.two), p.ratio, 0.01);
        EXPECT_NEAR(ContrastRatio(p.two, p.one), p.ratio, 0.01);
    }
}

TEST_F(Readers, TheListWritesInTheDesktopsTextColourWhereItReads) {
    analyse(writeNovel(WithContents()));
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    std::int32_t back = 0, fore = 0;
    SetSystemColor(COLOR_WINDOWTEXT, RGB(0, 0, 128));
    window->CustomDraw(4, 1, back, fore); // a plain row
    EXPECT_EQ(fore, 0x800000);
    SetSystemColor(COLOR_WINDOWTEXT, RGB(255, 255, 255)); // a dark theme's text
    for (const std::int32_t row : {0, 4}) {               // checked, plain
        window->CustomDraw(row, 1, back, fore);
        EXPECT_GE(ContrastRatio(fore, back), kLeastTextContrast) << "row " << row;
    }
    SetSystemColor(COLOR_WINDOWTEXT, text);
}

} // namespace
} // namespace lumarin::app
