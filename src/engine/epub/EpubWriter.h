// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ReplacedCharacters.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/OutputWriter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct EpubResult {
    std::filesystem::path path;
    std::int32_t chapterCount = 0; // entries in the contents: the kept chapters
    ReplacedCharacters replaced;   // characters written as U+FFFD, by what they were
    std::int64_t removedLines = 0; // by the cleaning the options asked for
};

// Where a book goes: "(default)" puts it beside the source, any other folder
// text holds it; either way it is named like the source with ".epub" in place
// of its extension.
std::filesystem::path EpubPathFor(const std::filesystem::path& source,
                                  std::u16string_view folderText);

// Writes the analysed novel as one EPUB 3 book (with an NCX for EPUB 2
// readers) at `target`: one document for the front matter when it holds
// text, then one per output file of the chapter files (N kept chapters each),
// each kept chapter opening with its heading; the contents list the kept
// chapters by their heading lines. Filters, blank-line deletion and the
// conversion apply as for chapter files; folders, name pattern and output
// encoding do not. The options' cleaning removes and joins lines as in chapter
// files. The title and author are the options' own, else the text's (《…》,
// "作者："), else the file name's; a cover image gets a cover page. An
// existing `target` is replaced with
// ExistingFiles::Overwrite and refused otherwise (a book cannot be appended to).
// Throws EngineError as WriteOutput does, "输出文件已存在: ...", and for the
// cover "无法读取文件: ..." or "封面不是JPEG或PNG图片: ..." before anything is written.
EpubResult WriteEpub(const AnalysisResult& analysis, const std::vector<bool>& checked,
                     const OutputOptions& options, const std::filesystem::path& target,
                     const OutputCallbacks& callbacks = {});

// "处理完毕！共N章，已写入 path", then the ReplacementNote of what became U+FFFD.
std::u16string EpubDoneMessage(const EpubResult& result);

} // namespace lumarin::engine
