// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace lumarin::engine {

// The SHA-256 of the file's bytes in lower-case hex: what a saved review of a
// book is keyed by, and what tells a table of contents that its source is
// still the same. Throws EngineError as SourceFile does.
std::string SourceChecksum(const std::filesystem::path& path);

} // namespace lumarin::engine
