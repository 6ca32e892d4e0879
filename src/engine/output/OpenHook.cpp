// SPDX-License-Identifier: MIT
#include "engine/output/OpenHook.h"

namespace lumarin::engine {

std::function<void(const std::string& name)>& BeforeOpenForTesting() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

} // namespace lumarin::engine
