// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumarin::engine {

// Trimmed of U+0020, then \ / : * ? " < > | removed; empty becomes "(Unknown)".
std::u16string CleanFileName(std::u16string_view name);

// The pattern with %n (file number, at least three digits), then %c (chapter
// number), then %s (title) replaced, and ".txt" appended. Inserted text is not
// scanned again.
std::u16string ExpandNamePattern(std::u16string_view pattern, std::int32_t fileNumber,
                                 std::int16_t chapterNo, std::u16string_view title);

// The file name on disk (UTF-8), shortened at a character boundary before
// ".txt" when longer than `maxBytes`.
std::string FileNameOnDisk(std::u16string_view cleanedName, std::size_t maxBytes = 255);

// The folder text that stands for the source's own folder.
inline constexpr std::u16string_view kDefaultFolderText = u"(default)";

// The folder the user chose: the source's own for "(default)" ("." when the
// source path names no folder), else the folder text as given (bytes carried
// in it as LineCodec carries invalid bytes are written back as those bytes).
std::filesystem::path ChosenFolderFor(const std::filesystem::path& source,
                                      std::u16string_view folderText);

// `name` inside the chosen folder: what every output of a run (the chapter
// files' folder, a book) is named by. With "(default)" and a source path that
// names no folder, the result has no folder either.
std::filesystem::path InChosenFolder(const std::filesystem::path& source,
                                     std::u16string_view folderText,
                                     const std::filesystem::path& name);

// The output folder for a source: the chosen folder plus the source's stem.
std::filesystem::path OutputFolderFor(const std::filesystem::path& source,
                                      std::u16string_view folderText);

// Folder text for a folder named as bytes (a command line argument): bytes
// that are not UTF-8 are carried, so that OutputFolderFor names exactly them.
std::u16string FolderTextFromBytes(std::string_view bytes);

// Last file number a group folder can hold: min((g + 1) * P, ceil(S / N)).
std::int32_t GroupUpperNumber(std::int32_t group, std::int32_t filesPerFolder,
                              std::int32_t selected, std::int32_t chaptersPerFile);

// "1-50(第1章+)": first and last file number of group g, and the chapter
// number of the folder's first chapter.
std::u16string GroupFolderName(std::int32_t group, std::int32_t filesPerFolder, std::int32_t upper,
                               std::int16_t firstChapterNo);

} // namespace lumarin::engine
