// SPDX-License-Identifier: MIT
// Runs a fuzz target without libFuzzer, so that the sanitizer build checks every target on real
// books each time the tests run (the fuzzing itself is fuzz/run.sh's). Each file named on the
// command line, or each file in a folder named there, is given to the target as the fuzzer would
// give it: at most the first 16 KiB, then cut short at a spread of lengths, since a book that ends
// in the middle of a character or a line is where readers of bytes go wrong.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

constexpr std::size_t kMaxInput = 16384; // fuzz/run.sh's -max_len

std::string ReadPrefix(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    bytes.resize(kMaxInput);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::vector<std::size_t> CutLengths(std::size_t size) {
    std::vector<std::size_t> lengths{0, 1, 2, 3, 5, 8, 13, 64, 257, 4099, size / 3, size / 2, size - 1, size};
    std::erase_if(lengths, [size](std::size_t n) { return n > size; });
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    return lengths;
}

int Replay(const std::filesystem::path& path) {
    const std::string bytes = ReadPrefix(path);
    for (const std::size_t length : CutLengths(bytes.size())) {
        // A copy of exactly that length, so that the sanitizer sees a read past its end.
        const std::vector<std::uint8_t> input(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    files += Replay(entry.path());
                }
            }
        } else {
            files += Replay(path);
        }
    }
    if (files == 0) {
        std::fprintf(stderr, "usage: %s FILE|FOLDER...: no input file was found\n", argv[0]);
        return 2;
    }
    std::printf("%d inputs replayed\n", files);
    return 0;
}
