// SPDX-License-Identifier: MIT
#pragma once

#include "support/TestFiles.h"

#include <string>
#include <string_view>

namespace lumarin::engine::test {

using lumarin::test::ListFiles;
using lumarin::test::MakeFullDevice;
using lumarin::test::ReadBytes;
using lumarin::test::Snapshot;
using lumarin::test::TempDir;

// Text in a named ICU encoding ("GB18030", "Big5", "UTF-16LE" ...).
std::string Encode(std::u16string_view text, const char* encoding);

} // namespace lumarin::engine::test
