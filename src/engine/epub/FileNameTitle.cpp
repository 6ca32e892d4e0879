// SPDX-License-Identifier: MIT
#include "engine/epub/FileNameTitle.h"

#include "engine/base/TextUtil.h"

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kAuthorMarkers[] = {u"作者：", u"作者:", u"作者"};

std::u16string Trimmed(std::u16string_view text) {
    text = TrimBlanks(text);
    // Separators left at either end of a part.
    while (!text.empty() && (text.front() == u'_' || text.front() == u'-' || text.front() == u'—'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == u'_' || text.back() == u'-' || text.back() == u'—'))
        text.remove_suffix(1);
    return std::u16string(TrimBlanks(text));
}

// "《书名》" anywhere: the title inside, the author after a marker that follows.
bool FromBookQuotes(std::u16string_view stem, TitleAndAuthor& found) {
    const std::size_t open = stem.find(u'《');
    const std::size_t close = open == std::u16string_view::npos ? open : stem.find(u'》', open);
    if (close == std::u16string_view::npos) return false;
    found.title = Trimmed(stem.substr(open + 1, close - open - 1));
    std::u16string_view rest = stem.substr(close + 1);
    for (const std::u16string_view marker : kAuthorMarkers) {
        const std::size_t at = rest.find(marker);
        if (at != std::u16string_view::npos) {
            found.author = Trimmed(rest.substr(at + marker.size()));
            break;
        }
    }
    return !found.title.empty();
}

bool FromAuthorMarker(std::u16string_view stem, TitleAndAuthor& found) {
    for (const std::u16string_view marker : kAuthorMarkers) {
        const std::size_t at = stem.find(marker);
        if (at == std::u16string_view::npos || at == 0) continue;
        found.title = Trimmed(stem.substr(0, at));
        found.author = Trimmed(stem.substr(at + marker.size()));
        return !found.title.empty();
    }
    return false;
}

// "[作者]书名", "【作者】书名".
bool FromBracketedAuthor(std::u16string_view stem, TitleAndAuthor& found) {
    const std::u16string_view opens = u"[【";
    const std::u16string_view closes = u"]】";
    if (stem.empty()) return false;
    const std::size_t kind = opens.find(stem.front());
    if (kind == std::u16string_view::npos) return false;
    const std::size_t close = stem.find(closes[kind]);
    if (close == std::u16string_view::npos) return false;
    found.author = Trimmed(stem.substr(1, close - 1));
    found.title = Trimmed(stem.substr(close + 1));
    return !found.title.empty() && !found.author.empty();
}

// "书名_作者", "书名-作者": split at the last separator.
bool FromSeparator(std::u16string_view stem, TitleAndAuthor& found) {
    for (const char16_t separator : {u'_', u'-'}) {
        const std::size_t at = stem.rfind(separator);
        if (at == std::u16string_view::npos || at == 0 || at + 1 == stem.size()) continue;
        found.title = Trimmed(stem.substr(0, at));
        found.author = Trimmed(stem.substr(at + 1));
        if (!found.title.empty() && !found.author.empty()) return true;
    }
    return false;
}

} // namespace

TitleAndAuthor TitleAndAuthorFromFileName(std::u16string_view stem) {
    TitleAndAuthor found;
    if (FromBookQuotes(stem, found) || FromAuthorMarker(stem, found) ||
        FromBracketedAuthor(stem, found) || FromSeparator(stem, found))
        return found;
    return {std::u16string(TrimBlanks(stem)), {}};
}

} // namespace lumarin::engine
