// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

namespace lumarin::engine {

// Called with a name inside an output folder just before the output opens it (a group folder,
// the output folder inside the chosen one, a chapter file), so that tests can plant a link or a
// file in the gap between a look and the open. Empty outside tests.
std::function<void(const std::string& name)>& BeforeOpenForTesting();

} // namespace lumarin::engine
