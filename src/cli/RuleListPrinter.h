// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

namespace lumarin::cli {

// --rules: one line per built-in rule (name, example, condition, tab-separated), or with --json
// {"rules":[{"name","condition","example"}]}.
void PrintRules(std::ostream& out, bool json);

} // namespace lumarin::cli
