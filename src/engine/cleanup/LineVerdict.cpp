// SPDX-License-Identifier: MIT
// A line is judged on a folded copy: full-width letters and digits as ASCII,
// lower case, no spaces (sites space their addresses out to slip past
// filters). Web addresses are found first; then the phrases sites stamp into
// books are taken out, and what is left decides: an advertisement leaves
// hardly a word of its own, a sentence of the story does.
#include "engine/cleanup/LineVerdict.h"

#include "engine/headings/ChineseNumber.h"

#include <algorithm>
#include <bitset>
#include <iterator>
#include <string>

namespace lumarin::engine {
namespace {

// Longer lines are the book's own, whatever they mention.
constexpr std::size_t kLongestAd = 80;
// Words of its own an advertisement may keep (a site's name, mostly).
constexpr int kAdWordsLeft = 4;
constexpr int kAddressWordsLeft = 3;

// Phrases only sites use; a line needs two of them, or a web address.
constexpr std::u16string_view kSitePhrases[] = {
    u"首发域名",   u"本站首发", u"首发地址", u"首发站",     u"首发",     u"最快更新", u"更新最快",
    u"最新章节",   u"章节目录", u"记住本站", u"记住本书",   u"本站域名", u"本站地址", u"本站网址",
    u"最新网址",   u"最新地址", u"手机阅读", u"手机版",     u"手机用户", u"手机站",   u"无弹窗",
    u"免费阅读",   u"全文阅读", u"在线阅读", u"小说阅读网", u"小说网",   u"中文网",   u"文学网",
    u"笔趣阁",     u"顶点小说", u"书友之家", u"加入书签",   u"一秒记住", u"百度搜索", u"txt下载",
    u"电子书下载", u"下载地址", u"更多精彩", u"精彩小说",   u"无错小说", u"请访问",   u"请浏览",
    u"请登陆",     u"请登录",   u"收藏本站", u"章节错误",   u"点此举报", u"本章未完", u"继续阅读",
    u"纯文字",     u"正版订阅", u"网址",     u"域名",       u"阅读网",   u"看书网",   u"移动版",
    u"书签"};

// Words that fill out a site's stamp; taken out only to see what is left.
constexpr std::u16string_view kFillerWords[] = {
    u"本书", u"本站", u"各位", u"书友", u"大家",   u"用户", u"读者", u"朋友", u"访问", u"浏览",
    u"阅读", u"登陆", u"登录", u"欢迎", u"光临",   u"收藏", u"更多", u"精彩", u"最新", u"最快",
    u"更新", u"地址", u"网站", u"小说", u"章节",   u"全文", u"免费", u"在线", u"手机", u"电脑",
    u"下载", u"记住", u"牢记", u"天才", u"一秒",   u"以便", u"下次", u"方便", u"即可", u"搜索",
    u"百度", u"就能", u"看到", u"体验", u"更好",   u"优质", u"内容", u"广告", u"提供", u"来自",
    u"转载", u"本章", u"未完", u"点击", u"下一页", u"继续"};
// Single characters that join a stamp's phrases; a line with an address keeps
// them, so that a short sentence about one is not taken for its advertisement.
constexpr std::u16string_view kJoiningCharacters[] = {u"请", u"由", u"的", u"了", u"您", u"你",
                                                      u"为", u"和", u"与", u"或", u"是", u"在",
                                                      u"到", u"及", u"版", u"站", u"网", u"本"};

// The last label of a host name that makes a dotted word a web address.
constexpr std::u16string_view kTopLevel[] = {
    u"com",  u"net",  u"org", u"cn", u"cc",   u"la",   u"me",     u"info",
    u"tw",   u"hk",   u"co",  u"io", u"xyz",  u"top",  u"vip",    u"tv",
    u"biz",  u"so",   u"in",  u"us", u"club", u"site", u"online", u"wang",
    u"mobi", u"name", u"pw",  u"ws", u"asia", u"app",  u"html",   u"htm"};

// The traditional forms of the characters the words above and the page
// markers use (as Taiwan's and Hong Kong's sites write them), sorted: a line
// is judged with them folded to the simplified forms, so that one list of
// words serves books in either script.
constexpr CharacterFold kTraditionalForms[] = {
    {u'來', u'来'}, {u'優', u'优'}, {u'內', u'内'}, {u'兩', u'两'}, {u'動', u'动'}, {u'問', u'问'},
    {u'報', u'报'}, {u'學', u'学'}, {u'廣', u'广'}, {u'彈', u'弹'}, {u'戶', u'户'}, {u'擊', u'击'},
    {u'書', u'书'}, {u'機', u'机'}, {u'歡', u'欢'}, {u'瀏', u'浏'}, {u'為', u'为'}, {u'無', u'无'},
    {u'爲', u'为'}, {u'發', u'发'}, {u'碼', u'码'}, {u'筆', u'笔'}, {u'節', u'节'}, {u'簽', u'签'},
    {u'籤', u'签'}, {u'純', u'纯'}, {u'網', u'网'}, {u'線', u'线'}, {u'繼', u'继'}, {u'續', u'续'},
    {u'腦', u'脑'}, {u'臨', u'临'}, {u'與', u'与'}, {u'舉', u'举'}, {u'覽', u'览'}, {u'訂', u'订'},
    {u'記', u'记'}, {u'訪', u'访'}, {u'誤', u'误'}, {u'說', u'说'}, {u'説', u'说'}, {u'請', u'请'},
    {u'讀', u'读'}, {u'費', u'费'}, {u'質', u'质'}, {u'載', u'载'}, {u'轉', u'转'}, {u'錄', u'录'},
    {u'錯', u'错'}, {u'閣', u'阁'}, {u'閱', u'阅'}, {u'閲', u'阅'}, {u'陸', u'陆'}, {u'電', u'电'},
    {u'頁', u'页'}, {u'頂', u'顶'}, {u'驗', u'验'}, {u'體', u'体'}, {u'點', u'点'},
};

bool IsAsciiAlnum(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsHan(char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF);
}

bool IsUrlCharacter(char16_t c) {
    return IsAsciiAlnum(c) ||
           std::u16string_view(u".-_/:?=&%#~").find(c) != std::u16string_view::npos;
}

// Full-width forms as ASCII, letters in lower case, spaces and tabs gone,
// traditional forms simplified (see kTraditionalForms). A 。
// or 点 between letters or digits is a dot written so that filters miss it.
std::u16string Folded(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (char16_t c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 0x20);
        if (c == u' ' || c == u'\t' || c == u'\u3000') continue;
        folded.push_back(SimplifiedForm(c));
    }
    for (std::size_t i = 1; i + 1 < folded.size(); ++i) {
        const char16_t c = folded[i];
        if ((c == u'。' || c == u'点' || c == u'·') && IsAsciiAlnum(folded[i - 1]) &&
            IsAsciiAlnum(folded[i + 1]))
            folded[i] = u'.';
    }
    return folded;
}

// A run of address characters that names a host: "www." or a scheme in front,
// or dotted labels ending in a known top-level name.
bool IsAddress(std::u16string_view run) {
    while (!run.empty() && (run.back() == u'.' || run.back() == u'/'))
        run.remove_suffix(1);
    if (run.find(u"://") != std::u16string_view::npos) return true;
    if (run.starts_with(u"www.") && run.size() > 5) return true;
    std::u16string_view host = run.substr(0, run.find(u'/'));
    const std::size_t dot = host.rfind(u'.');
    if (dot == std::u16string_view::npos || dot == 0) return false;
    const std::u16string_view last = host.substr(dot + 1);
    return std::find(std::begin(kTopLevel), std::end(kTopLevel), last) != std::end(kTopLevel);
}

constexpr std::u16string_view kOpeningQuotes = u"“「『";
constexpr std::u16string_view kClosingQuotes = u"”」』";

// Blanks out every web address. `found`: there was one; `quoted`: one stood
// between dialogue quotes (a character names it).
struct Addresses {
    bool found = false;
    bool quoted = false;
};
Addresses RemoveAddresses(std::u16string& text) {
    Addresses addresses;
    bool inQuote = false;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!IsUrlCharacter(text[i])) {
            if (kOpeningQuotes.find(text[i]) != std::u16string_view::npos) inQuote = true;
            if (kClosingQuotes.find(text[i]) != std::u16string_view::npos) inQuote = false;
            if (text[i] == u'"') inQuote = !inQuote;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && IsUrlCharacter(text[end]))
            ++end;
        if (IsAddress(std::u16string_view(text).substr(i, end - i))) {
            addresses.found = true;
            addresses.quoted = addresses.quoted || inQuote;
            std::fill(text.begin() + static_cast<std::ptrdiff_t>(i),
                      text.begin() + static_cast<std::ptrdiff_t>(end), u' ');
        }
        i = end;
    }
    return addresses;
}

// Which characters a text holds, by their low eight bits: a phrase whose
// first character is not among them need not be looked for.
using CharacterMask = std::bitset<256>;
CharacterMask MaskOf(std::u16string_view text) {
    CharacterMask mask;
    for (const char16_t c : text)
        mask.set(c & 0xFF);
    return mask;
}

// Blanks out every occurrence of the phrases, longest first as listed; returns how many.
template <std::size_t N>
int RemovePhrases(std::u16string& text, const std::u16string_view (&phrases)[N]) {
    const CharacterMask mask = MaskOf(text);
    int count = 0;
    for (const std::u16string_view phrase : phrases) {
        if (!mask[phrase[0] & 0xFF]) continue;
        for (std::size_t at = text.find(phrase); at != std::u16string::npos;
             at = text.find(phrase, at + phrase.size())) {
            std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), phrase.size(), u' ');
            ++count;
        }
    }
    return count;
}

// Words left: Han characters count one each, a run of letters or digits one.
int WordsLeft(std::u16string_view text) {
    int words = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHan(text[i]))
            ++words;
        else if (IsAsciiAlnum(text[i]) && (i == 0 || !IsAsciiAlnum(text[i - 1])))
            ++words;
    }
    return words;
}

bool IsQuoted(std::u16string_view text) {
    return text.find_first_of(u"“”「」『』\"") != std::u16string_view::npos;
}

bool IsAd(std::u16string text) {
    if (text.size() > kLongestAd) return false;
    const bool quoted = IsQuoted(text);
    const Addresses addresses = RemoveAddresses(text);
    if (addresses.quoted) return false;
    const bool address = addresses.found;
    const int phrases = RemovePhrases(text, kSitePhrases);
    if (!address && (phrases < 2 || quoted)) return false;
    RemovePhrases(text, kFillerWords);
    if (address) return WordsLeft(text) <= kAddressWordsLeft;
    RemovePhrases(text, kJoiningCharacters);
    return WordsLeft(text) <= kAdWordsLeft;
}

// Reads digits at `pos`, their value into `value`; false when there are none
// or more than four.
bool ReadNumber(std::u16string_view text, std::size_t& pos, std::int32_t& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && IsDigit(text[pos]))
        value = value * 10 + (text[pos++] - u'0');
    return pos > start && pos - start <= 4;
}

bool ReadNumber(std::u16string_view text, std::size_t& pos) {
    std::int32_t ignored = 0;
    return ReadNumber(text, pos, ignored);
}

bool ReadHanNumber(std::u16string_view text, std::size_t& pos, std::int32_t& value) {
    const std::size_t start = pos;
    while (pos < text.size() &&
           std::u16string_view(u"零〇一二两三四五六七八九十百千").find(text[pos]) !=
               std::u16string_view::npos)
        ++pos;
    value = ParseChineseNumber(text.substr(start, pos - start));
    return pos > start;
}

bool Skip(std::u16string_view text, std::size_t& pos, std::u16string_view what) {
    if (!text.substr(pos).starts_with(what)) return false;
    pos += what.size();
    return true;
}

bool IsDash(char16_t c) {
    return std::u16string_view(u"-—–─━_=~·•*").find(c) != std::u16string_view::npos;
}

// "-- 12 --", "— 12 —": a number between dashes.
bool IsDashedNumber(std::u16string_view text, std::int32_t& value) {
    std::size_t pos = 0;
    while (pos < text.size() && IsDash(text[pos]))
        ++pos;
    if (pos == 0 || !ReadNumber(text, pos, value)) return false;
    const std::size_t after = pos;
    while (pos < text.size() && IsDash(text[pos]))
        ++pos;
    return pos > after && pos == text.size();
}

// "第12页", "第十二页", "第12页共300页", "第12页/共300页".
bool IsPageOf(std::u16string_view text, std::int32_t& value) {
    std::size_t pos = 0;
    if (!Skip(text, pos, u"第")) return false;
    if (!ReadNumber(text, pos, value) && !ReadHanNumber(text, pos, value)) return false;
    if (!Skip(text, pos, u"页")) return false;
    if (pos == text.size()) return true;
    Skip(text, pos, u"/") || Skip(text, pos, u",") || Skip(text, pos, u"，");
    return Skip(text, pos, u"共") && ReadNumber(text, pos) && Skip(text, pos, u"页") &&
           pos == text.size();
}

// "页面 4", "页码：12", "page 12", "p.12", "page 12 of 300", "12/300".
bool IsPageNumber(std::u16string_view text, std::int32_t& value) {
    std::size_t pos = 0;
    const bool named = Skip(text, pos, u"页面") || Skip(text, pos, u"页码") ||
                       Skip(text, pos, u"页") || Skip(text, pos, u"page") || Skip(text, pos, u"p.");
    if (named) Skip(text, pos, u":") || Skip(text, pos, u"：");
    if (!ReadNumber(text, pos, value)) return false;
    if (pos == text.size()) return named;
    if (!Skip(text, pos, u"/") && !Skip(text, pos, u"of")) return false;
    return ReadNumber(text, pos) && pos == text.size();
}

std::optional<MarkerNumber> ReadFoldedMarker(std::u16string_view folded) {
    std::int32_t value = 0;
    if (IsDashedNumber(folded, value)) return MarkerNumber{MarkerNumber::Dashed, value};
    if (IsPageOf(folded, value)) return MarkerNumber{MarkerNumber::PageOf, value};
    if (IsPageNumber(folded, value)) return MarkerNumber{MarkerNumber::Numbered, value};
    return std::nullopt;
}

} // namespace

std::string_view RemovalReasonName(RemovalReason reason) {
    switch (reason) {
    case RemovalReason::Ad:
        return "ad";
    case RemovalReason::PageMarker:
        return "page_marker";
    case RemovalReason::Repeated:
        break;
    }
    return "repeated";
}

std::span<const std::u16string_view> SitePhrases() {
    return kSitePhrases;
}

std::span<const CharacterFold> TraditionalForms() {
    return kTraditionalForms;
}

char16_t SimplifiedForm(char16_t c) {
    // Nearly every character has no traditional form here: one look says so.
    static const std::bitset<0x10000> traditional = [] {
        std::bitset<0x10000> forms;
        for (const CharacterFold& fold : kTraditionalForms)
            forms.set(fold.traditional);
        return forms;
    }();
    if (!traditional[c]) return c;
    const auto* const found =
        std::lower_bound(std::begin(kTraditionalForms), std::end(kTraditionalForms), c,
                         [](const CharacterFold& fold, char16_t key) { return fold.traditional < key; });
    return found != std::end(kTraditionalForms) && found->traditional == c ? found->simplified : c;
}

std::optional<RemovalReason> JudgeLine(std::u16string_view text, bool insideQuote) {
    std::u16string folded = Folded(text);
    if (folded.empty()) return std::nullopt;
    if (ReadFoldedMarker(folded)) return RemovalReason::PageMarker;
    if (!insideQuote && IsAd(std::move(folded))) return RemovalReason::Ad;
    return std::nullopt;
}

std::optional<MarkerNumber> ReadMarkerNumber(std::u16string_view text) {
    return ReadFoldedMarker(Folded(text));
}

} // namespace lumarin::engine
