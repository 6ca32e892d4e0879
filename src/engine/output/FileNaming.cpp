// SPDX-License-Identifier: MIT
#include "engine/output/FileNaming.h"

#include "engine/base/TextUtil.h"
#include "engine/encoding/LineCodec.h"
#include "engine/source/BookFiles.h"

#include <algorithm>
#include <string>

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kForbiddenInNames = u"\\/:*?\"<>|";
constexpr std::string_view kTxt = ".txt";

// Length of the longest prefix of `text` that ends at a character boundary
// and is at most `maxBytes` long.
std::size_t Utf8PrefixAtBoundary(std::string_view text, std::size_t maxBytes) {
    std::size_t cut = std::min(maxBytes, text.size());
    while (cut > 0 && cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

} // namespace

std::u16string CleanFileName(std::u16string_view name) {
    std::u16string cleaned(TrimSpaces(name));
    for (const char16_t forbidden : kForbiddenInNames)
        std::erase(cleaned, forbidden);
    return cleaned.empty() ? std::u16string(u"(Unknown)") : cleaned;
}

std::u16string ExpandNamePattern(std::u16string_view pattern, std::int32_t fileNumber,
                                 std::int16_t chapterNo, std::u16string_view title) {
    std::u16string number = ToU16Decimal(fileNumber);
    if (number.size() < 3) number.insert(0, 3 - number.size(), u'0');
    std::u16string name = ReplaceAll(pattern, u"%n", number);
    name = ReplaceAll(name, u"%c", ToU16Decimal(chapterNo));
    name = ReplaceAll(name, u"%s", title);
    return name + u".txt";
}

std::string FileNameOnDisk(std::u16string_view cleanedName, std::size_t maxBytes) {
    std::string name = ToUtf8(cleanedName);
    // A NUL would cut the name short at the system call and send the chapter elsewhere.
    std::erase(name, '\0');
    if (name.size() <= maxBytes) return name;
    const bool hasTxt = name.ends_with(kTxt) && maxBytes > kTxt.size();
    const std::string_view stem =
        std::string_view(name).substr(0, name.size() - (hasTxt ? kTxt.size() : 0));
    const std::size_t room = maxBytes - (hasTxt ? kTxt.size() : 0);
    return std::string(stem.substr(0, Utf8PrefixAtBoundary(stem, room))) +
           (hasTxt ? std::string(kTxt) : "");
}

std::filesystem::path ChosenFolderFor(const std::filesystem::path& source,
                                      std::u16string_view folderText) {
    if (folderText != kDefaultFolderText) {
        std::string bytes;
        LineCodec(Encoding::Utf8).encode(folderText, bytes);
        return bytes;
    }
    const std::filesystem::path beside = source.parent_path();
    return beside.empty() ? std::filesystem::path(".") : beside;
}

std::filesystem::path InChosenFolder(const std::filesystem::path& source,
                                     std::u16string_view folderText,
                                     const std::filesystem::path& name) {
    // "." is there to be opened; a path shown to the user keeps the source's own form.
    if (folderText == kDefaultFolderText && source.parent_path().empty()) return name;
    return ChosenFolderFor(source, folderText) / name;
}

std::filesystem::path OutputFolderFor(const std::filesystem::path& source,
                                      std::u16string_view folderText) {
    return InChosenFolder(source, folderText, FolderStem(source));
}

std::u16string FolderTextFromBytes(std::string_view bytes) {
    return LineCodec(Encoding::Utf8).decode(bytes);
}

std::int32_t GroupUpperNumber(std::int32_t group, std::int32_t filesPerFolder,
                              std::int32_t selected, std::int32_t chaptersPerFile) {
    const long long full = (static_cast<long long>(group) + 1) * filesPerFolder;
    const long long files =
        (static_cast<long long>(selected) + chaptersPerFile - 1) / chaptersPerFile;
    return static_cast<std::int32_t>(std::min(full, files));
}

std::u16string GroupFolderName(std::int32_t group, std::int32_t filesPerFolder, std::int32_t upper,
                               std::int16_t firstChapterNo) {
    return ToU16Decimal(static_cast<long long>(group) * filesPerFolder + 1) + u"-" +
           ToU16Decimal(upper) + u"(第" + ToU16Decimal(firstChapterNo) + u"章+)";
}

} // namespace lumarin::engine
