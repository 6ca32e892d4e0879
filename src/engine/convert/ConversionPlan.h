// SPDX-License-Identifier: MIT
#pragma once

#include "engine/convert/ConversionDict.h"

#include <memory>
#include <string>
#include <vector>

namespace lumarin::engine {

// A conversion configuration of OpenCC's data as dictionaries of our own:
// the group that cuts a text into segments (longest key first, from the
// left), and the steps every segment then goes through, in order.
struct ConversionPlan {
    std::vector<std::unique_ptr<ConversionDict>> dicts; // what the groups point to
    DictGroup segmentation;
    std::vector<DictGroup> steps;
};

// Reads a configuration through OpenCC's own library: a file, or a name in
// OpenCC's data folder such as "t2s.json". Its dictionaries stay where they
// are installed; only their entries are read. Throws EngineError (read
// failure) when the configuration or a dictionary cannot be read, or when it
// segments text by any rule but maximum matching.
ConversionPlan LoadConversionPlan(const std::string& config);

} // namespace lumarin::engine
