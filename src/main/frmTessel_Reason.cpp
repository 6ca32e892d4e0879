// SPDX-License-Identifier: MIT
// An empty chapter list explains itself: in the list's place it says why no
// heading was found (a wrong encoding, a condition that fits no heading while
// a built-in rule would, no rule at all) and offers the next step as links;
// a book that no rule fits can still be cut into parts by size.
#include "engine/base/EngineError.h"
#include "engine/headings/EmptyListReason.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QStackedLayout>

namespace lumarin::app {

using platform::qt::qs;

namespace {

QString Link(const QString& action, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>")
        .arg(action.toHtmlEscaped(), text.toHtmlEscaped());
}

QString NextSteps(const engine::EmptyListReason& reason) {
    QStringList links;
    switch (reason.cause) {
    case engine::EmptyListCause::EmptySource:
        break;
    case engine::EmptyListCause::WrongEncoding:
        links << Link(QStringLiteral("encoding:auto"), QStringLiteral("改用“自动识别”编码"));
        break;
    case engine::EmptyListCause::OtherRule:
        links << Link(QStringLiteral("rule:") + qs(reason.rule->name),
                      QStringLiteral("改用“") + qs(reason.rule->name) + QStringLiteral("”"));
        break;
    case engine::EmptyListCause::NoRuleFits:
        if (!reason.automatic)
            links << Link(QStringLiteral("rule:auto"), QStringLiteral("试试“自动”"));
        if (reason.nearMisses > 0)
            links << Link(QStringLiteral("nearmisses"), QStringLiteral("看看疑似标题"));
        links << Link(QStringLiteral("splitsize"), QStringLiteral("按字数分割"));
        break;
    }
    return links.join(QStringLiteral("　　"));
}

} // namespace

void frmTessel::buildEmptyListNote() {
    // It takes the list's place, drops included.
    m_lblEmpty = new QLabel(this);
    m_lblEmpty->setFrameShape(QFrame::StyledPanel);
    m_lblEmpty->setAcceptDrops(true);
    m_lblEmpty->installEventFilter(this);
    m_lblEmpty->setWordWrap(true);
    m_lblEmpty->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblEmpty->setTextFormat(Qt::RichText);
    m_lblEmpty->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    m_lblEmpty->setAutoFillBackground(true);
    m_lblEmpty->setMargin(fontMetrics().averageCharWidth() * 2);
    QPalette look = m_lblEmpty->palette();
    look.setColor(QPalette::Window, QColor(255, 255, 255));
    look.setColor(QPalette::WindowText, QColor(0, 0, 0));
    m_lblEmpty->setPalette(look);
    m_lblEmpty->hide();
    connect(m_lblEmpty, &QLabel::linkActivated, this, [this](const QString& action) {
        runGuarded(CommandSide::Reading, [this, action] { takeEmptyListAction(action); });
    });
}

void frmTessel::showEmptyListReason(const engine::AnalysisRequest& request,
                                    const engine::AnalysisResult& analysis) {
    QString words;
    QString steps;
    try {
        const engine::EmptyListReason reason =
            engine::ExplainEmptyList(analysis.m_strSource, request, analysis);
        words = qs(engine::EmptyListMessage(reason));
        steps = NextSteps(reason);
    } catch (const engine::EngineError& error) {
        // The source went away since: say that much.
        words = QStringLiteral("没有找到章节标题。\n") + qs(error.message());
    }
    QString html = words.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    if (!steps.isEmpty()) html += QStringLiteral("<br><br>") + steps;
    m_lblEmpty->setText(html);
    m_lblEmpty->setToolTip(words);
    m_stkList->setCurrentWidget(m_lblEmpty);
}

void frmTessel::hideEmptyListReason() {
    m_stkList->setCurrentWidget(m_lstMemoHost);
    m_lblEmpty->clear();
}

void frmTessel::takeEmptyListAction(const QString& action) {
    if (action == QStringLiteral("encoding:auto")) {
        m_cboEncoding->setCurrentIndex(0); // the first choice is the automatic one
        cmdAnalyze_Click();
    } else if (action == QStringLiteral("rule:auto")) {
        m_cboRule->setCurrentIndex(kAutomatic);
    } else if (action.startsWith(QStringLiteral("rule:"))) {
        const int index = m_cboRule->findData(action.mid(5));
        if (index >= 0) m_cboRule->setCurrentIndex(index);
    } else if (action == QStringLiteral("nearmisses")) {
        cmdNearMisses_Click();
    } else if (action == QStringLiteral("splitsize")) {
        // The size is the reader's to give: the field is shown and ready to type in.
        if (auto* scroll = findChild<QScrollArea*>(QStringLiteral("leftScroll")))
            scroll->ensureWidgetVisible(m_txtSplitSize);
        m_txtSplitSize->setFocus();
        m_txtSplitSize->selectAll();
        setStatusText(QStringLiteral("填写每部分的字数，再按“输出”"));
    }
}

} // namespace lumarin::app
