// SPDX-License-Identifier: MIT
// One source of truth for the heading rule: the choice under "标题条件" says
// what is in use, and the condition box shows that. With "自定义条件" the box
// holds the user's own condition and can be edited; with a built-in rule (or
// the rule "自动" chose) it shows that rule's condition, read-only and drawn
// as such. The user's own text is kept aside meanwhile and comes back with
// "自定义条件". With a book open, a new choice analyses at once. Under the box
// a line names the rule in use and, when the list may come from the wrong
// condition, says so and offers the built-in rule that does better.
//
// While "自定义条件" is shown the box is the user's condition: every edit is
// taken at once, so an analysis, a new rule choice or the saved settings all
// read what is typed, and nothing puts an older text back.
#include "engine/base/EngineError.h"
#include "engine/headings/HeadingRules.h"
#include "engine/headings/RuleAdvice.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace lumarin::app {

using platform::qt::qs;

std::u16string frmTessel::ownCondition() const {
    return m_strOwnCondition;
}

void frmTessel::conditionEdited() {
    if (m_intRuleShown == kOwnCondition && !m_txtFind->isReadOnly())
        m_strOwnCondition = m_txtFind->toPlainText().toStdU16String();
}

void frmTessel::setOwnCondition(const std::u16string& condition) {
    m_strOwnCondition = condition;
    if (m_intRuleShown == kOwnCondition) m_txtFind->setPlainText(qs(condition));
}

void frmTessel::ruleChoiceChanged(int index) {
    m_intRuleShown = index;
    showConditionInUse();
    // The list must never show one rule's headings under another's name.
    if (!m_blnOutputRunning && !m_strSource.empty() &&
        !m_txtFile->toPlainText().trimmed().isEmpty())
        runGuarded(CommandSide::Reading, [this] { cmdAnalyze_Click(); });
}

void frmTessel::showConditionInUse() {
    const int choice = m_cboRule->currentIndex();
    QPalette look = palette();
    if (choice == kOwnCondition || choice < 0) {
        m_txtFind->setReadOnly(false);
        if (m_txtFind->toPlainText().toStdU16String() != m_strOwnCondition)
            m_txtFind->setPlainText(qs(m_strOwnCondition));
        m_txtFind->setPlaceholderText(QString());
        m_txtFind->setToolTip(QString());
        m_txtFind->setAccessibleDescription(QStringLiteral("可编辑：使用自定义条件"));
        m_txtFind->setPalette(look);
        return;
    }
    const engine::HeadingRule* rule = nullptr;
    if (choice >= kFirstRule) {
        rule = &engine::BuiltInRules()[static_cast<std::size_t>(choice - kFirstRule)];
    } else if (choice == kAutomatic && m_analysis) {
        rule = m_analysis->rule;
    }
    m_txtFind->setReadOnly(true);
    m_txtFind->setPlainText(rule != nullptr ? qs(rule->condition) : QString());
    m_txtFind->setPlaceholderText(QStringLiteral("“自动”在分析时选出规则，这里显示它的条件"));
    m_txtFind->setToolTip(
        QStringLiteral("内置规则的条件，不能修改；选“自定义条件”可编辑自己的条件"));
    // Readers hear why the box cannot be edited: the rule in use.
    QString why;
    if (rule == nullptr)
        why = QStringLiteral("“自动”在分析时选出规则");
    else if (choice == kAutomatic)
        why = QStringLiteral("使用“自动”选出的规则“%1”").arg(qs(rule->name));
    else
        why = QStringLiteral("使用内置规则“%1”").arg(qs(rule->name));
    m_txtFind->setAccessibleDescription(QStringLiteral("只读：") + why +
                                        QStringLiteral("；选“自定义条件”可编辑"));
    // Read-only is drawn like a disabled box, yet the text stays selectable.
    look.setColor(QPalette::Base, look.color(QPalette::Window));
    look.setColor(QPalette::Text, look.color(QPalette::Disabled, QPalette::Text));
    m_txtFind->setPalette(look);
}

void frmTessel::showRuleAdvice(const engine::AnalysisRequest& request,
                               const engine::AnalysisResult& analysis) {
    engine::RuleAdvice advice;
    try {
        advice = engine::AdviseRule(analysis.m_strSource, request, analysis);
    } catch (const engine::EngineError&) {
        return; // the source went away since: the list says what it found, no more
    }
    const std::u16string words = engine::RuleAdviceMessage(advice, analysis.m_lngCount);
    if (words.empty()) return;
    QString html = m_lblRule->text().toHtmlEscaped();
    if (!html.isEmpty()) html += QStringLiteral("<br>");
    html += qs(words).toHtmlEscaped();
    if (advice.rule != nullptr)
        html += QStringLiteral("　<a href=\"rule:%1\">改用“%2”</a>")
                    .arg(qs(advice.rule->name).toHtmlEscaped(), qs(advice.rule->name).toHtmlEscaped());
    m_lblRule->setTextFormat(Qt::RichText);
    m_lblRule->setText(html);
}

} // namespace lumarin::app
