// SPDX-License-Identifier: MIT
#include "support/EpubContents.h"

#include <zip.h>

namespace lumarin::test {

std::vector<EpubEntry> ReadEpub(const std::filesystem::path& book) {
    std::vector<EpubEntry> entries;
    int error = 0;
    zip_t* archive = zip_open(book.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (archive == nullptr) return entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        EpubEntry entry{stat.name, std::string(stat.size, '\0'), stat.comp_method == ZIP_CM_STORE};
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        if (file != nullptr) {
            const zip_int64_t got = zip_fread(file, entry.bytes.data(), entry.bytes.size());
            entry.bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
            zip_fclose(file);
        }
        entries.push_back(std::move(entry));
    }
    zip_discard(archive);
    return entries;
}

std::string EntryText(const std::vector<EpubEntry>& entries, const std::string& name) {
    for (const auto& entry : entries) {
        if (entry.name == name) return entry.bytes;
    }
    return {};
}

std::vector<std::string> ContentDocuments(const std::vector<EpubEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        if (entry.name.starts_with("OEBPS/text/")) names.push_back(entry.name);
    }
    return names;
}

} // namespace lumarin::test
