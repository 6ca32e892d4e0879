// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace lumarin::engine {

// Which file a source was when it was analysed, and in what state: the output
// refuses to run when any of these differs. The device and inode also tell
// whether a file about to be written is the source itself.
struct SourceStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    std::int64_t ctimeNs = 0; // status change: a replaced or rewritten file shows here

    bool sameFile(std::uint64_t otherDevice, std::uint64_t otherInode) const noexcept {
        return device == otherDevice && inode == otherInode;
    }

    friend bool operator==(const SourceStamp&, const SourceStamp&) = default;
};

} // namespace lumarin::engine
