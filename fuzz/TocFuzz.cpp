// SPDX-License-Identifier: MIT
// A table of contents (a saved review, --toc) on any bytes, applied to a small book with blank
// lines and volumes. Reading must end in a review or the engine's refusal, and a review taken
// must stand still: written out as the program writes it and read again, it gives the same
// edits and check marks.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/headings/Analyzer.h"
#include "engine/headings/ChapterEdits.h"
#include "engine/headings/ReviewFile.h"

#include <string>

namespace {

using namespace lumarin::engine;

// Chapters under two volumes, blank lines between paragraphs, a last blank line.
std::string Book() {
    std::string text = "书名：测试\n\n";
    int chapter = 0;
    for (const char* volume : {"第一卷 风起", "第二卷 云涌"}) {
        text += std::string(volume) + "\n\n";
        for (int c = 0; c < 3; ++c) {
            text += "第" + std::to_string(++chapter) + "章 标题\n\n";
            for (int p = 0; p < 6; ++p)
                text += "　　正文第" + std::to_string(p) + "段。\n\n";
        }
    }
    return text;
}

struct Found {
    lumarin::fuzz::MemoryFile file{Book()};
    AnalysisResult analysis;
    Found() {
        AnalysisRequest request;
        request.automatic = true;
        analysis = Analyze(file.path(), request);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Found found;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lumarin::fuzz::MemoryFile tocFile(bytes);
    Review review;
    try {
        const ReviewFile toc = ReadReviewFile(tocFile.path());
        review = ReviewFromFile(found.analysis, toc);
    } catch (const EngineError& error) {
        if (error.code() != ErrorCode::InvalidReview && error.code() != ErrorCode::FileTooLarge)
            lumarin::fuzz::Fail("a refusal of another kind");
        return 0;
    }
    const AnalysisResult reviewed = ApplyEdits(found.analysis, review.edits);
    if (review.checked.size() != static_cast<std::size_t>(reviewed.m_lngCount))
        lumarin::fuzz::Fail("one check mark per row expected");
    for (const AddedSplit& split : review.edits.added)
        if (split.heading.find_first_not_of(u" 　") == std::u16string::npos)
            lumarin::fuzz::Fail("a split added at a blank line");

    const ReviewFile written = ReviewOf(reviewed, review.checked, "x");
    const Review again =
        ReviewFromFile(found.analysis, ParseReviewFile(ReviewFileText(written, reviewed)));
    if (again.edits != review.edits || again.checked != review.checked)
        lumarin::fuzz::Fail("a review does not come back as it was written");
    return 0;
}
