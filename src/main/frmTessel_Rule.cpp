// SPDX-License-Identifier: MIT
// One source of truth for the heading rule: the choice under "标题条件" says
// what is in use, and the condition box shows that. With "自定义条件" the box
// holds the user's own condition and can be edited; with a built-in rule (or
// the rule "自动" chose) it shows that rule's condition, read-only and drawn
// as such. The user's own text is kept aside meanwhile and comes back with
// "自定义条件". With a book open, a new choice analyses at once.
#include "engine/headings/HeadingRules.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace lumarin::app {

using platform::qt::qs;

std::u16string frmTessel::ownCondition() const {
    if (m_intRuleShown == kOwnCondition) return m_txtFind->toPlainText().toStdU16String();
    return m_strOwnCondition;
}

void frmTessel::setOwnCondition(const std::u16string& condition) {
    m_strOwnCondition = condition;
    if (m_intRuleShown == kOwnCondition) m_txtFind->setPlainText(qs(condition));
}

void frmTessel::ruleChoiceChanged(int index) {
    if (m_intRuleShown == kOwnCondition)
        m_strOwnCondition = m_txtFind->toPlainText().toStdU16String();
    m_intRuleShown = index;
    showConditionInUse();
    // The list must never show one rule's headings under another's name.
    if (!m_blnOutputRunning && !m_strSource.empty())
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

} // namespace lumarin::app
