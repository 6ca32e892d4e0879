// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingRules.h"

#include <initializer_list>
#include <utility>

namespace lumarin::engine {
namespace {

// Everything a rule allows before its number: up to ten spaces or ideographic
// spaces, then one decoration (【 〖 [ 〔 「 『, a run of = or a star or two).
constexpr std::u16string_view kLead =
    u"^\\h{0,10}(?:[【〖\\[〔「『]|={2,}|[☆★◆◇●■□※#*]{1,3})?\\h{0,3}";
// The decoration that may close a heading, and the end of the line.
constexpr std::u16string_view kTail = u"\\h*(?:[】〗\\]〕」』]|={2,}|[☆★◆◇●■□※#*]{1,3})?\\h*$";
// Numerals of every form: Chinese, financial, ASCII and full-width digits.
constexpr std::u16string_view kNumeral =
    u"[0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]";
constexpr std::u16string_view kSmallNumber =
    u"(?:[0-9０-９]{1,4}|[零〇○一二两三四五六七八九十百千]{1,8})";
// A separator between marker and title (a closing bracket, colon, dot, dash).
constexpr std::u16string_view kSeparator = u"(?:\\h*[】〗\\]〕」』:：、.．·_—\\-]+)?\\h*";
// The title: short, no full stop, not ending like a clause.
constexpr std::u16string_view kTitle = u"([^。]{0,50}?)(?<![，；,;。.])";
constexpr std::u16string_view kRequiredTitle = u"\\h*([^\\h。][^。]{0,49}?)(?<![，；,;。.])";
// Words that continue a sentence rather than a heading (第三章的, 第二回了).
constexpr std::u16string_view kNotSentence = u"(?![的了是里])";

// Parts of a book that carry no number; they are headings under every rule.
// Front and back matter of essays and non-fiction are among them; a longer
// word stands before the shorter one it begins with.
constexpr std::initializer_list<std::u16string_view> kUnnumberedWords = {
    u"序章",   u"序言",     u"序幕", u"序",   u"自序", u"代序", u"推荐序", u"中译者序",
    u"译者序", u"作者前言", u"楔子", u"引子", u"引言", u"前言", u"导言",   u"导论",
    u"番外",   u"尾声",     u"尾聲", u"终章", u"終章", u"后记", u"後記",   u"附录",
    u"致谢",   u"完本感言"};

std::u16string Join(std::initializer_list<std::u16string_view> words, std::u16string_view glue) {
    std::u16string out;
    for (const auto word : words) {
        if (!out.empty()) out += glue;
        out += word;
    }
    return out;
}

// The unnumbered branch: an empty number, the word as marker, the line's own
// text as title.
std::u16string UnnumberedBranch() {
    const std::u16string words = Join(kUnnumberedWords, u"|");
    return u"()(?=(" + words + u"))((?:" + words +
           u")(?=$|[\\h:：、.．·—\\-】〗\\]〕」』=☆★(（0-9０-９一二三四五六七八九十])[^。]{0,30}?)"
           u"(?<![，；,;。.])";
}

std::u16string Markers(std::initializer_list<std::u16string_view> own) {
    return u"," + Join(own, u",") + u"," + Join(kUnnumberedWords, u",") + u",";
}

// What a rule's matches hold when its numbered branch always holds one of
// `own`: one of those, or an unnumbered word and so its first character.
std::u16string Needs(std::u16string_view own) {
    std::u16string needs(own);
    for (const auto word : kUnnumberedWords)
        if (needs.find(word.front()) == std::u16string::npos) needs.push_back(word.front());
    return needs;
}

std::u16string Condition(std::u16string_view numberedBranch) {
    return std::u16string(kLead) + u"(?|" + std::u16string(numberedBranch) + u"|" +
           UnnumberedBranch() + u")" + std::u16string(kTail);
}

// 第N<marker>: `marker` is the marker group, `notAfter` the characters that
// make the marker part of another word (第二回合, 第一节课).
std::u16string OrdinalBranch(std::u16string_view marker, std::u16string_view notAfter,
                             bool volumeBefore) {
    const std::u16string number = std::u16string(kNumeral) + u"{1,12}";
    std::u16string branch;
    if (volumeBefore)
        branch += u"(?:正文\\h*)?(?:第\\h*" + number +
                  u"\\h*[卷部集篇]\\h*(?:[^\\h第]{1,12}\\h+)?)?";
    branch += u"第\\h*(" + number + u")\\h*" + std::u16string(marker) + u"(?![" +
              std::u16string(notAfter) + u"])" + std::u16string(kNotSentence) +
              std::u16string(kSeparator) + std::u16string(kTitle);
    return branch;
}

// "Chapter 3: Title": the number is group 1 although it follows the word. A
// lower-case word after the number reads as prose ("chapter 3 was ...").
// "正文 12 标题": the word before the number, as with Chapter.
std::u16string MainTextBranch() {
    const std::u16string number(kSmallNumber);
    return u"(?=正文\\h*(" + number + u"))(正文)\\h*" + number + u"(?![0-9０-９一二三四五六七八九十])" +
           std::u16string(kSeparator) + std::u16string(kTitle);
}

// "随笔（三）" or "随笔 三": a short title, then the number in brackets or after
// a space; the number is group 1 although it comes last.
std::u16string TitleNumberBranch() {
    const std::u16string number(kSmallNumber);
    return u"(?|(?=[^\\h（(][^（(]{0,19}?\\h*[（(]\\h*(" + number + u")\\h*([）)])\\h*$)"
           u"([^\\h（(][^（(]{0,19}?)\\h*[（(]\\h*" + number + u"\\h*[）)]"
           u"|(?=\\S{1,20}?\\h+(" + number + u")()\\h*$)(\\S{1,20}?)\\h+" + number + u")";
}

std::u16string EnglishBranch(std::u16string_view words) {
    const std::u16string word = u"(?:" + std::u16string(words) + u")";
    return u"(?=" + word + u"\\h*([0-9０-９]{1,4}))(" + word +
           u")\\h*[0-9０-９]{1,4}(?![0-9０-９])(?-i:(?!\\h+[a-z]))" + std::u16string(kSeparator) +
           std::u16string(kTitle);
}

HeadingRule Ordinal(std::u16string name, std::u16string example, std::u16string_view marker,
                    std::u16string_view notAfter, std::initializer_list<std::u16string_view> own,
                    HeadingLevel level) {
    const bool volumeBefore = level != HeadingLevel::Volume;
    HeadingRule rule{std::move(name),
                     std::move(example),
                     Condition(OrdinalBranch(marker, notAfter, volumeBefore)),
                     Markers(own),
                     level,
                     true};
    rule.needs = Needs(Join(own, u""));
    rule.starts = Needs(u"正第");
    return rule;
}

// Numbered lines are a weak form: list items inside chapters look the same.
HeadingRule Numbered(std::u16string name, std::u16string example, std::u16string numberedBranch,
                     std::initializer_list<std::u16string_view> own) {
    HeadingRule rule{std::move(name), std::move(example),    Condition(numberedBranch),
                     Markers(own),    HeadingLevel::Section, true};
    rule.inSequence = true;
    return rule;
}

std::vector<HeadingRule> MakeRules() {
    using L = HeadingLevel;
    const std::u16string required(kRequiredTitle);
    std::vector<HeadingRule> rules = {
        Ordinal(u"第N章", u"第十二章 风起云涌", u"(章)", u"节程法", {u"章"}, L::Chapter),
        Ordinal(u"第N回", u"第十二回 风起云涌", u"(回|迴)", u"合来去到家头", {u"回", u"迴"},
                L::Chapter),
        Ordinal(u"第N话", u"第十二话 风起云涌", u"(话|話)", u"题说语", {u"话", u"話"}, L::Chapter),
        Ordinal(u"第N幕", u"第十二幕 风起云涌", u"(幕)", u"后布", {u"幕"}, L::Chapter),
        Ordinal(u"第N节", u"第十二节 风起云涌", u"(节|節)", u"课目日奏约省", {u"节", u"節"},
                L::Section),
        Ordinal(u"第N卷", u"第三卷 风起云涌", u"(卷)", u"子入起", {u"卷"}, L::Volume),
        Ordinal(u"第N部", u"第三部 风起云涌", u"(部)", u"分队门长下位署", {u"部"}, L::Volume),
        Ordinal(u"第N集", u"第三集 风起云涌", u"(集)", u"团合体中", {u"集"}, L::Volume),
        Ordinal(u"第N篇", u"第三篇 风起云涌", u"(篇)", u"章幅", {u"篇"}, L::Volume),
        {u"英文章", u"Chapter 12: The Storm", Condition(EnglishBranch(u"chapter|chap\\.?|ch\\.")),
         Markers({u"chapter", u"chap", u"chap.", u"ch."}), L::Chapter, true},
        {u"英文节", u"Section 12 The Storm", Condition(EnglishBranch(u"section|sect\\.?")),
         Markers({u"section", u"sect", u"sect."}), L::Section, true},
        {u"英文部", u"Part 3 The Storm", Condition(EnglishBranch(u"part")), Markers({u"part"}),
         L::Volume, true},
        Numbered(u"序号顿号", u"12、风起云涌",
                 u"(" + std::u16string(kSmallNumber) + u")\\h*(、)" + required, {u"、"}),
        Numbered(u"序号点", u"12. 风起云涌",
                 u"([0-9０-９]{1,4})\\h*([.．])(?![0-9０-９])" + required, {u".", u"．"}),
        Numbered(u"序号空格", u"012 风起云涌",
                 u"([0-9０-９]{1,4})(\\h)(?!\\h*[0-9０-９])" + required, {u" ", u"\t", u"\u3000"}),
        Numbered(u"序号括号", u"（十二）风起云涌",
                 u"[（(]\\h*(" + std::u16string(kSmallNumber) + u")\\h*([）)])" + required,
                 {u"）", u")"}),
        {u"无编号", u"序章 风起云涌", Condition(u"(*FAIL)()()()"), Markers({}), L::Section, false},
    };
    // The weaker forms come last: on a tie an earlier rule wins.
    HeadingRule mainText{u"正文N", u"正文 12 风起云涌", Condition(MainTextBranch()),
                         Markers({u"正文"}), L::Chapter, true};
    HeadingRule numeralSpace = Numbered(
        u"汉字空格", u"十二 风起云涌",
        u"([零〇○一二两三四五六七八九十百千]{1,8})(\\h+)" + required, {u" ", u"\t", u"\u3000"});
    HeadingRule numberAlone =
        Numbered(u"单独序号", u"12", u"(" + std::u16string(kSmallNumber) + u")()()", {u""});
    HeadingRule titleNumber =
        Numbered(u"标题序号", u"随笔（十二）", TitleNumberBranch(), {u"）", u")", u""});
    titleNumber.sameTitle = true;
    titleNumber.anyStart = true;
    titleNumber.ends = u"）)0123456789０１２３４５６７８９零〇○一二两三四五六七八九十百千";
    HeadingRule layout{u"版式标题", u"写作之夜", Condition(u"(*FAIL)()()()"), Markers({}),
                       L::Chapter, false};
    layout.byLayout = true;
    rules.insert(rules.begin() + 12, std::move(mainText));
    rules.insert(rules.end() - 1, std::move(numeralSpace));
    rules.insert(rules.end() - 1, std::move(numberAlone));
    rules.insert(rules.end() - 1, std::move(titleNumber));
    rules.push_back(std::move(layout));
    // What the numbered branch of these rules always holds: an English word's
    // first letter in each case form (ſ is a long s), a separator, a bracket.
    constexpr std::pair<std::u16string_view, std::u16string_view> kOwnNeeds[] = {
        {u"英文章", u"cC"},     {u"英文节", u"sS\u017F"}, {u"英文部", u"pP"},
        {u"序号顿号", u"、"},   {u"序号点", u".．"},       {u"序号括号", u"）)"},
        {u"无编号", u""},       {u"版式标题", u""}};
    // What the numbered branch of these rules begins with.
    const std::u16string digits = u"0123456789０１２３４５６７８９";
    const std::u16string numerals = u"零〇○一二两三四五六七八九十百千";
    const std::pair<std::u16string_view, std::u16string> ownStarts[] = {
        {u"英文章", u"cC"},           {u"英文节", u"sS\u017F"},      {u"英文部", u"pP"},
        {u"序号顿号", digits + numerals}, {u"序号点", digits},          {u"序号空格", digits},
        {u"序号括号", u"（("},        {u"无编号", u""},               {u"正文N", u"正"},
        {u"汉字空格", numerals},      {u"单独序号", digits + numerals}, {u"版式标题", u""}};
    for (HeadingRule& rule : rules) {
        for (const auto& [name, own] : kOwnNeeds)
            if (rule.name == name) rule.needs = Needs(own);
        for (const auto& [name, own] : ownStarts)
            if (rule.name == name) rule.starts = Needs(own);
    }
    return rules;
}

} // namespace

const std::u16string& AnyRuleStart() {
    static const std::u16string condition =
        std::u16string(kLead) + u"(?:第\\h*" + std::u16string(kNumeral) + u"|正文|" +
        Join(kUnnumberedWords, u"|") + u"|chapter|chap|ch\\.|section|sect|part|[0-9０-９]|" +
        std::u16string(kSmallNumber) + u"\\h*(?:、|\\h|$)|[（(])";
    return condition;
}

const std::u16string& UnnumberedWordStarts() {
    static const std::u16string starts = Needs(u"");
    return starts;
}

const std::vector<HeadingRule>& BuiltInRules() {
    static const std::vector<HeadingRule> rules = MakeRules();
    return rules;
}

const HeadingRule* FindRule(std::u16string_view name) {
    for (const HeadingRule& rule : BuiltInRules())
        if (rule.name == name) return &rule;
    return nullptr;
}

} // namespace lumarin::engine
