#pragma once

#include <cstdint>

namespace lumarin::engine {

// Size and modification time of a source when it was analysed; the output
// refuses to run when either differs.
struct SourceStamp {
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;

    friend bool operator==(const SourceStamp&, const SourceStamp&) = default;
};

} // namespace lumarin::engine
