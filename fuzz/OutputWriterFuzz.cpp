// SPDX-License-Identifier: MIT
// The output writer in a scratch folder it may write into (box/), next to a folder it must
// never touch (outside/). Titles, the name pattern, the chosen folder, the source's own name
// and place, the counts and the existing-files mode come from the input, and links are planted
// where the plan will write: to outside/, to a dangling path, to the source, to ".". Whatever
// happens, outside/ and the source stay as they were, and a finished run left every planned
// file as a real file below the output folder.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/OutputWriter.h"

#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <map>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace lumarin::engine;
using lumarin::fuzz::Fail;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Everything below root, links not followed.
std::map<std::string, std::string> Snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        const std::string name = it->path().lexically_relative(root).string();
        if (it->is_symlink())
            entries[name] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            entries[name] = "dir";
        else
            entries[name] = "file:" + ReadFile(it->path());
    }
    return entries;
}

// One path component from the input: no "/" and no NUL; "." and ".." stay, the program must
// cope with them wherever it builds a path from them.
std::string Component(FuzzedDataProvider& input, std::size_t maxLength) {
    std::string text = input.ConsumeRandomLengthString(maxLength);
    std::erase(text, '/');
    std::erase(text, '\0');
    return text;
}

// A line of text from the input, without line ends.
std::string LineText(FuzzedDataProvider& input) {
    std::string text = input.ConsumeRandomLengthString(40);
    std::erase(text, '\r');
    std::erase(text, '\n');
    return text;
}

// One thing planted where the plan will write: a link or a file.
struct Planting {
    std::size_t file; // which planned file (modulo their count)
    int where;        // 0 the file's place, 1 its group folder's, 2 the output folder's
    bool link;        // a link, else a file
    int target;       // what a link points to
};

// The numbers that steer a run, taken first (from the input's end) so that a short input
// already plants links; the texts come from the front.
struct Decisions {
    int chapters, folder, chaptersPerFile, filesPerFolder;
    ExistingFiles existing;
    std::vector<Planting> plantings;

    explicit Decisions(FuzzedDataProvider& input)
        : chapters(input.ConsumeIntegralInRange(1, 6)), folder(input.ConsumeIntegralInRange(0, 2)),
          chaptersPerFile(input.ConsumeIntegralInRange(0, 3)),
          filesPerFolder(input.ConsumeIntegralInRange(0, 3)),
          existing(static_cast<ExistingFiles>(input.ConsumeIntegralInRange(0, 2))) {
        for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
            plantings.push_back({input.ConsumeIntegral<std::uint8_t>(),
                                 input.ConsumeIntegralInRange(0, 2), input.ConsumeBool(),
                                 input.ConsumeIntegralInRange(0, 4)});
    }
};

// The places a planted link can point to.
fs::path LinkTarget(int target, const fs::path& root, const fs::path& source) {
    switch (target) {
    case 0:
        return root / "outside" / "kept.txt";
    case 1:
        return root / "outside";
    case 2:
        return root / "outside" / "never-made";
    case 3:
        return source;
    default:
        return ".";
    }
}

void Plant(const std::vector<Planting>& plantings, const OutputPlan& plan, const fs::path& root) {
    for (const Planting& planting : plantings) {
        const PlannedFile file = PlannedFileAt(
            plan,
            static_cast<std::int32_t>(planting.file % static_cast<std::size_t>(plan.fileCount)));
        fs::path where = plan.outputFolder;
        if (planting.where == 0 || (planting.where == 1 && file.folder.empty()))
            where = PathOf(plan, file);
        else if (planting.where == 1)
            where = plan.outputFolder / file.folder;
        // Planting never goes through what is planted already (nor onto the source).
        if (where.lexically_normal() == plan.source.lexically_normal() ||
            fs::exists(fs::symlink_status(where)))
            continue;
        std::error_code ignored;
        fs::create_directories(where.parent_path(), ignored);
        if (planting.link)
            fs::create_symlink(LinkTarget(planting.target, root, plan.source), where, ignored);
        else
            WriteFile(where, "planted");
    }
}

// The scratch folder goes with each run, however the run ends.
struct Scratch {
    fs::path root;
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Decisions decide(input);
    const Scratch scratch{"/dev/shm/lumarin-writer-fuzz-" + std::to_string(getpid())};
    const fs::path& root = scratch.root;
    std::error_code ignored;
    fs::remove_all(root, ignored);
    const fs::path box = root / "box";
    fs::create_directories(root / "outside");
    fs::create_directories(box);
    WriteFile(root / "outside" / "kept.txt", "outside");

    // The source: its folder below box/, its name, its text.
    std::string folder = Component(input, 8);
    if (folder.empty() || folder == "." || folder == "..") folder = "w";
    std::string name = Component(input, 12);
    if (name.empty() || name == "." || name == "..") name = "n.txt";
    const fs::path source = box / folder / name;
    fs::create_directories(source.parent_path());
    std::string text = LineText(input) + "\n";
    for (int c = 1; c <= decide.chapters; ++c)
        text += "第" + std::to_string(c) + "章 " + LineText(input) + "\n" + LineText(input) + "\n";
    WriteFile(source, text);

    AnalysisResult analysis;
    try {
        analysis = Analyze(source, kDefaultCondition);
    } catch (const EngineError&) {
        return 0; // the source's own name can make it unreadable (a name too long, say)
    }
    OutputOptions options;
    switch (decide.folder) {
    case 0:
        options.folderText = u"(default)";
        break;
    case 1:
        options.folderText = FromUtf8((box / folder).string());
        break;
    default: {
        // The user may choose any folder; this one stays inside the box.
        std::string chosen = Component(input, 8);
        if (chosen == "." || chosen == "..") chosen = "o";
        options.folderText = FromUtf8((box / chosen).string());
        break;
    }
    }
    options.namePattern = FromUtf8(input.ConsumeRandomLengthString(16));
    options.chaptersPerFile = decide.chaptersPerFile;
    options.filesPerFolder = decide.filesPerFolder;
    options.existing = decide.existing;
    const std::vector<bool> checked(static_cast<std::size_t>(analysis.m_lngCount), false);

    std::optional<OutputPlan> plan;
    try {
        plan = PlanOutput(analysis, checked, options);
    } catch (const EngineError& error) {
        if (error.code() != ErrorCode::AllRowsChecked && error.code() != ErrorCode::NoHeadings)
            Fail(error.what());
        return 0;
    }
    if (!plan) Fail("a folder text that is not blank gave no plan");
    Plant(decide.plantings, *plan, root);
    const auto outsideBefore = Snapshot(root / "outside");

    bool written = false;
    try {
        WriteOutput(*plan);
        written = true;
    } catch (const EngineError&) {
        // Refusals and failures are fine; what they leave behind is checked below.
    } catch (const std::exception& error) {
        Fail(error.what()); // only the engine's own messages may come out
    }
    if (Snapshot(root / "outside") != outsideBefore) Fail("written outside the chosen folder");
    if (fs::is_symlink(source) || ReadFile(source) != text) Fail("the source changed");
    if (written) {
        for (std::int32_t f = 0; f < plan->fileCount; ++f) {
            const fs::path path = PathOf(*plan, PlannedFileAt(*plan, f));
            if (!fs::is_regular_file(fs::symlink_status(path)))
                Fail("a planned file is not a file of its own");
            const fs::path inside = path.lexically_relative(plan->outputFolder);
            if (inside.empty()) Fail("a planned file lies outside the output folder");
            for (const fs::path& part : inside)
                if (part == "." || part == "..") Fail("a planned path has a part . or ..");
        }
    }
    return 0;
}
