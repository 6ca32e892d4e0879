// SPDX-License-Identifier: MIT
#include "engine/source/SourceChecksum.h"

#include "engine/source/SourceFile.h"

#include <nettle/sha2.h>
#include <vector>

namespace lumarin::engine {

std::string SourceChecksum(const std::filesystem::path& path) {
    SourceFile file(path);
    sha256_ctx context;
    sha256_init(&context);
    std::vector<char> buffer(1 << 20);
    for (std::size_t got; (got = file.read(buffer.data(), buffer.size())) != 0;)
        sha256_update(&context, got, reinterpret_cast<const std::uint8_t*>(buffer.data()));
    std::uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context, sizeof digest, digest);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

} // namespace lumarin::engine
