// SPDX-License-Identifier: MIT
#include "cli/SharedOutputs.h"

#include "engine/base/ExitCode.h"
#include "engine/base/TextUtil.h"

#include <map>

namespace lumarin::cli {

namespace fs = std::filesystem;

namespace {

// Where an output lands, in one spelling: the folder holding it resolved as the run will
// follow it (links and all: the user named it), then the output's own name, which the run
// never follows.
fs::path Landing(const fs::path& output) {
    std::error_code error;
    const fs::path absolute = fs::absolute(output, error).lexically_normal();
    if (error) return output.lexically_normal();
    fs::path holder = fs::weakly_canonical(absolute.parent_path(), error);
    if (error) holder = absolute.parent_path();
    return holder / absolute.filename();
}

} // namespace

void RefuseSharedOutputs(std::vector<SourceEntry>& books, const engine::RunRequest& run) {
    std::map<fs::path, const SourceEntry*> writers;
    for (SourceEntry& book : books) {
        if (!book.failure.empty()) continue;
        engine::RunRequest request = run;
        request.source = book.path;
        const auto output = engine::OutputPathFor(request);
        if (!output) continue;
        const auto [first, fresh] = writers.try_emplace(Landing(*output), &book);
        if (fresh) continue;
        book.failure = engine::ToUtf8(u"与 " + engine::ShownPath(first->second->path.string()) +
                                      u" 的输出相同");
        book.exitStatus = static_cast<int>(engine::ExitCode::Refused);
    }
}

} // namespace lumarin::cli
