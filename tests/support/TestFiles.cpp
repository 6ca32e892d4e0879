// SPDX-License-Identifier: MIT
#include "TestFiles.h"

#include "engine/source/BookFiles.h"

#include <algorithm>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <random>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace lumarin::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device seed;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("lumarin-test-" + std::to_string(seed()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

fs::path TempDir::write(const std::string& name, std::string_view bytes) const {
    const fs::path file = m_path / name;
    fs::create_directories(file.parent_path());
    WriteBytes(file, bytes);
    return file;
}

void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The marker the output leaves in each folder of chapter files is no chapter: it is not listed
// (the tests of the marker look for it by name).
std::vector<std::string> ListFiles(const fs::path& root) {
    std::vector<std::string> files;
    if (!fs::exists(root)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().filename() != engine::kChapterFolderMarker)
            files.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        const std::string name = fs::relative(it->path(), root).generic_string();
        if (it->is_symlink())
            entries[name] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            entries[name] = "dir";
        else if (it->is_regular_file())
            entries[name] = "file:" + ReadBytes(it->path());
        else
            entries[name] = "special"; // a device or a pipe is never read
    }
    return entries;
}

int MakeFullDevice(const fs::path& file) {
    return ::mknod(file.c_str(), S_IFCHR | 0666, makedev(1, 7));
}

std::string EncodeWithIconv(const std::string& utf8, const std::string& charset) {
    iconv_t cd = iconv_open(charset.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert to " + charset);
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dest = out.data();
    std::size_t destLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &dest, &destLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1))
        throw std::runtime_error("text not representable in " + charset);
    out.resize(out.size() - destLeft);
    return out;
}

} // namespace lumarin::test
