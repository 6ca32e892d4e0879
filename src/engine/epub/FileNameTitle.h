// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace lumarin::engine {

struct TitleAndAuthor {
    std::u16string title;
    std::u16string author; // empty when the name does not tell
};

// A book's title and author as downloaded files name them: "《书名》作者：某某",
// "书名 作者：某某", "书名_作者", "书名-作者", "[作者]书名" (【】 too); else the
// whole name is the title. `stem` is the file name without its extension.
TitleAndAuthor TitleAndAuthorFromFileName(std::u16string_view stem);

} // namespace lumarin::engine
