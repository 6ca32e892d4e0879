// SPDX-License-Identifier: MIT
#include "cli/SplitOptions.h"

#include "engine/base/ExitCode.h"
#include "engine/base/LeadingNumber.h"
#include "engine/base/TextUtil.h"
#include "engine/encoding/EncodingChoice.h"
#include "engine/output/FileNaming.h"
#include "engine/output/FilterText.h"
#include "engine/source/BookFiles.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <sched.h>
#include <string_view>
#include <thread>
#include <utility>

namespace lumarin::cli {

namespace {

using engine::ExitCode;

// Everything the user typed, as typed: the numbers stay text because they are
// read like the window's fields (leading numeric part), which is the engine's
// business. The start values are the engine's.
struct SplitOptions {
    std::vector<std::string> sources; // as given: files and folders
    bool recursive = false;
    unsigned jobs = 0; // 0: as many as the machine has cores
    std::string condition; // "auto": the built-in rule that explains the text best
    std::string rule;      // a built-in rule by name, instead of the condition
    std::string output;
    std::string pattern;
    std::string chaptersPerFile;
    std::string filesPerFolder;
    bool keepBlankLines = false;
    std::vector<std::string> filters;
    bool simplified = false;
    std::string encoding = "auto";
    std::string outputEncoding = "source";
    bool epub = false;
    std::string epubFile; // empty: named after the source, in the --output folder
    std::string title;    // the book's title and author, before the text's and the file name's
    std::string author;
    std::string cover;   // a JPEG or PNG picture for the book's cover
    bool clean = false;  // remove advertisements, page markers and repeated stamps
    bool unwrap = false; // join the lines of hard-wrapped paragraphs
    std::vector<std::string> checkRows;
    std::vector<std::string> uncheckRows;
    std::string toc;
    std::string existing = "refuse"; // refuse | overwrite | append
    bool volumeFolders = false;
    std::string splitSize;
    bool list = false;
    bool json = false;
    bool nearMisses = false;
    bool rules = false;
    bool quiet = false;
};

// Threads a batch may ask for: far more than any machine's cores, and each holds a book's buffers.
constexpr unsigned kMaxJobs = 256;

// The cores this process may run on (fewer than the machine's when it is pinned to some).
unsigned CoreCount() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0)
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&cores)));
    return std::max(1u, std::thread::hardware_concurrency());
}

// The condition "auto" chooses among the built-in rules.
constexpr std::string_view kAutomaticCondition = "auto";

SplitOptions StartValues() {
    const engine::RunRequest run;
    SplitOptions options;
    options.condition = engine::ToUtf8(run.analysis.condition);
    options.output = engine::ToUtf8(run.output.folderText);
    options.pattern = engine::ToUtf8(run.output.namePattern);
    options.chaptersPerFile = std::to_string(run.output.chaptersPerFile);
    options.filesPerFolder = std::to_string(run.output.filesPerFolder);
    options.volumeFolders = run.output.volumeFolders;
    options.splitSize = std::to_string(run.output.splitSize);
    options.keepBlankLines = !run.output.deleteBlankLines;
    options.simplified = run.output.toSimplified;
    return options;
}

engine::OutputOptions OutputOptionsFor(const SplitOptions& options) {
    engine::OutputOptions output;
    output.folderText = engine::FolderTextFromBytes(options.output);
    output.namePattern = engine::FromUtf8(options.pattern);
    output.chaptersPerFile = engine::ReadCountField(engine::FromUtf8(options.chaptersPerFile));
    output.filesPerFolder = engine::ReadCountField(engine::FromUtf8(options.filesPerFolder));
    output.volumeFolders = options.volumeFolders;
    output.splitSize = engine::ReadSizeField(engine::FromUtf8(options.splitSize));
    output.deleteBlankLines = !options.keepBlankLines;
    output.toSimplified = options.simplified;
    output.encoding = *engine::ParseOutputEncodingChoice(options.outputEncoding);
    output.cleanup = {options.clean, options.unwrap};
    output.bookTitle = engine::FromUtf8(options.title);
    output.bookAuthor = engine::FromUtf8(options.author);
    output.cover = options.cover;
    output.existing = options.existing == "overwrite" ? engine::ExistingFiles::Overwrite
                      : options.existing == "append"  ? engine::ExistingFiles::Append
                                                      : engine::ExistingFiles::Refuse;
    // Each -f is one filter; the engine's own splitting drops the empty ones, as the window does.
    for (const auto& filter : options.filters) {
        for (auto& piece : engine::SplitFilterText(engine::FromUtf8(filter))) {
            output.filters.push_back(std::move(piece));
        }
    }
    return output;
}

// The text typed turned into the engine's values, all in one place. Nothing
// when --rule names no built-in rule (said on stderr).
std::optional<CommandLine> CommandLineFor(const SplitOptions& options) {
    CommandLine line;
    engine::RunRequest& run = line.run;
    line.sources = options.sources;
    line.recursive = options.recursive;
    line.jobs = options.jobs != 0 ? options.jobs : CoreCount();
    run.source = std::filesystem::path(options.sources.front());
    engine::AnalysisRequest& analysis = run.analysis;
    analysis.condition = engine::FromUtf8(options.condition);
    analysis.automatic = options.rule.empty() && options.condition == kAutomaticCondition;
    if (!options.rule.empty()) {
        analysis.rule = engine::FindRule(engine::FromUtf8(options.rule));
        if (analysis.rule == nullptr) {
            std::cerr << "--rule: no built-in rule named "
                      << engine::ToUtf8(engine::PrintableText(engine::FromUtf8(options.rule)))
                      << " (lumarin-split --rules lists them)\n";
            return std::nullopt;
        }
    }
    analysis.measureChapters = options.list && options.json;
    analysis.nearMisses = options.list && options.nearMisses;
    analysis.encoding = *engine::ParseInputEncodingChoice(options.encoding);
    run.output = OutputOptionsFor(options);
    run.format = options.epub ? engine::OutputFormat::Book : engine::OutputFormat::ChapterFiles;
    run.bookFile = std::filesystem::path(options.epubFile);
    line.checkRows = options.checkRows;
    line.uncheckRows = options.uncheckRows;
    line.toc = options.toc;
    line.list = options.list;
    line.json = options.json;
    line.nearMisses = options.nearMisses;
    line.rules = options.rules;
    line.quiet = options.quiet;
    return line;
}

template <typename Choice>
std::vector<std::string> ChoiceNames(std::span<const engine::EncodingChoiceName<Choice>> choices) {
    std::vector<std::string> names;
    for (const auto& entry : choices) {
        names.emplace_back(entry.name);
    }
    return names;
}

// With --rules nothing is read, so --json goes without --list.
void AddOptions(CLI::App& app, SplitOptions& o, bool rulesOnly) {
    // Not required here: --rules reads no source, and "--epub novel.txt" hands SOURCE to
    // --epub, which ParseCommandLine gives back.
    app.add_option("SOURCE", o.sources,
                   "the novels to split: .txt files, or folders standing for their .txt files")
        ->type_name("");
    app.add_flag("-R,--recursive", o.recursive, "a folder's sub-folders too");
    app.add_option("-j,--jobs", o.jobs,
                   "split up to N books of a run side by side, 1 to 256 (default: one per "
                   "core); the files, the messages and their order are those of one at a time")
        ->type_name("N")
        ->check(CLI::Range(1u, kMaxJobs).description(""));
    auto* condition =
        app.add_option("-c,--condition", o.condition,
                       "heading condition (a regular expression), or \"auto\": the built-in "
                       "rule that fits the text best")
            ->type_name("REGEX")
            ->capture_default_str();
    app.add_option("-r,--rule", o.rule, "use the built-in rule of this name (see --rules)")
        ->type_name("NAME")
        ->excludes(condition);
    app.add_option("-o,--output", o.output,
                   "output folder, or \"(default)\": a folder named after the source, beside it")
        ->type_name("DIR")
        ->capture_default_str();
    app.add_option("-p,--pattern", o.pattern,
                   "file name pattern: %n file number, %c chapter number, %s chapter title")
        ->type_name("PATTERN")
        ->capture_default_str();
    app.add_option("-n,--chapters-per-file", o.chaptersPerFile,
                   "chapters per file, read like the window's field")
        ->type_name("N")
        ->capture_default_str();
    app.add_option("-g,--files-per-folder", o.filesPerFolder, "files per group folder; 0 for none")
        ->type_name("P")
        ->capture_default_str();
    app.add_flag("--volume-folders", o.volumeFolders,
                 "one folder per volume (01-第一卷 …) instead of groups of P files");
    app.add_option("--split-size", o.splitSize,
                   "cut chapters longer than N characters into parts at paragraph ends, and a "
                   "text without headings into parts 第1部分 …; 0 for none")
        ->type_name("N")
        ->capture_default_str();
    app.add_flag("--keep-blank-lines", o.keepBlankLines,
                 "keep blank lines (by default they are deleted, as in the window)");
    app.add_option("-f,--filter", o.filters,
                   "remove TEXT from every line; repeatable, applied in order")
        ->type_name("TEXT")
        ->allow_extra_args(false);
    app.add_flag("-s,--simplified", o.simplified, "convert traditional to simplified Chinese");
    app.add_option("--encoding", o.encoding,
                   "the source's encoding; auto decides from the bytes, any other is used as given")
        ->type_name("NAME")
        ->check(CLI::IsMember(ChoiceNames(engine::InputEncodingChoices())))
        ->capture_default_str();
    app.add_option("--output-encoding", o.outputEncoding,
                   "encoding of the chapter files; source keeps the source's own")
        ->type_name("NAME")
        ->check(CLI::IsMember(ChoiceNames(engine::OutputEncodingChoices())))
        ->capture_default_str();
    app.add_option("--check", o.checkRows, "mark rows as no split point (1-based, e.g. 3,5-7)")
        ->type_name("ROWS")
        ->allow_extra_args(false);
    app.add_option("--uncheck", o.uncheckRows, "clear marks (applied after --check)")
        ->type_name("ROWS")
        ->allow_extra_args(false);
    app.add_option("--toc", o.toc,
                   "split exactly at the rows of FILE (--list --json's output, edited): each "
                   "row's start_line, checked and title; refused when the source has changed")
        ->type_name("FILE")
        ->excludes("--check")
        ->excludes("--uncheck");
    app.add_option("--epub", o.epubFile,
                   "write one EPUB book instead of chapter files: to FILE (one source only), or "
                   "named after the source with .epub, in the --output folder (beside the source "
                   "by default)")
        ->type_name("[FILE]")
        ->expected(0, 1);
    app.add_option("--title", o.title,
                   "with --epub: the book's title (else the text's 《…》 line, else the file name)")
        ->type_name("TEXT");
    app.add_option(
           "--author", o.author,
           "with --epub: the book's author (else the text's 作者： line, else the file name)")
        ->type_name("TEXT");
    app.add_option("--cover", o.cover, "with --epub: a JPEG or PNG picture for the cover")
        ->type_name("IMAGE");
    app.add_flag("--clean", o.clean,
                 "remove lines that are not the book's text: site advertisements, page markers, "
                 "stamps repeated at chapter starts or ends (listed by --list)");
    app.add_flag("--unwrap", o.unwrap,
                 "join the lines of paragraphs a fixed-width wrap broke (only in a book that is "
                 "hard-wrapped)");
    app.add_option("--existing", o.existing,
                   "chapter files already there: refuse (write nothing), overwrite (start each "
                   "afresh) or append")
        ->type_name("MODE")
        ->check(CLI::IsMember({"refuse", "overwrite", "append"}))
        ->capture_default_str();
    auto* list =
        app.add_flag("-l,--list", o.list, "analyse only: print the chapter list, write nothing");
    auto* json = app.add_flag("--json", o.json, "with --list or --rules: machine-readable output");
    if (!rulesOnly) json->needs(list);
    app.add_flag("--near-misses", o.nearMisses,
                 "with --list: also list lines that look like headings but do not match")
        ->needs(list);
    app.add_flag("--rules", o.rules, "print the built-in heading rules and stop");
    app.add_flag("-q,--quiet", o.quiet, "no progress bar");
    app.set_version_flag("-V,--version", std::string("lumarin-split ") + LUMARIN_VERSION,
                         "print the version and exit");
}

// The names of the options that take a value, as the command line writes them
// ("-o", "--output"), from the options themselves.
std::vector<std::string> NamesTakingAValue(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_positional() || option->get_items_expected_max() == 0) continue;
        for (const std::string& name : option->get_snames())
            names.push_back("-" + name);
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
    }
    return names;
}

bool IsDecimal(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool RuleIsEmpty(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") return false;
        if (arg == "--rule=") return true;
        if ((arg == "-r" || arg == "--rule") && i + 1 < argc && argv[i + 1][0] == '\0') return true;
    }
    return false;
}

// "-n=3" would hand the option the value "=3": a short option's value follows it
// directly ("-n3") or as the next argument ("-n 3"), never after "=". Returns the
// offending argument, or nothing.
std::optional<std::string> ShortOptionWithEquals(const CLI::App& app, int argc,
                                                 const char* const* argv) {
    const std::vector<std::string> takesValue = NamesTakingAValue(app);
    const auto takes = [&takesValue](std::string_view name) {
        return std::find(takesValue.begin(), takesValue.end(), name) != takesValue.end();
    };
    bool valueNext = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (valueNext) {
            valueNext = false;
            continue;
        }
        if (arg == "--") return std::nullopt;
        if (arg.starts_with("--")) {
            valueNext = takes(arg);
            continue;
        }
        if (arg.size() < 2 || arg[0] != '-') continue;
        // A cluster of flags may end in one option that takes the rest as its value.
        for (std::size_t k = 1; k < arg.size(); ++k) {
            if (arg[k] == '=') return std::string(arg);
            if (takes(std::string{'-', arg[k]})) {
                valueNext = k + 1 == arg.size();
                if (!valueNext && arg[k + 1] == '=') return std::string(arg);
                break;
            }
        }
    }
    return std::nullopt;
}

} // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    SplitOptions options = StartValues();
    CLI::App app{"Splits a Chinese novel into chapter files.", "lumarin-split"};
    bool rulesOnly = false;
    for (int i = 1; i < argc; ++i)
        rulesOnly = rulesOnly || std::string_view(argv[i]) == "--rules";
    AddOptions(app, options, rulesOnly);
    if (const auto bad = ShortOptionWithEquals(app, argc, argv)) {
        std::cerr << *bad << ": a short option takes its value without \"=\" (write "
                  << bad->substr(0, bad->find('=')) << ' ' << bad->substr(bad->find('=') + 1)
                  << ")\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    // An empty name would read as no --rule at all, or let the parser take the source for it.
    if (RuleIsEmpty(argc, argv)) {
        std::cerr << "--rule is empty (lumarin-split --rules lists the names)\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return {std::nullopt, app.exit(help, std::cout, std::cerr)};
    } catch (const CLI::CallForVersion& version) {
        return {std::nullopt, app.exit(version, std::cout, std::cerr)};
    } catch (const CLI::ParseError& error) {
        app.exit(error, std::cerr, std::cerr);
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    options.epub = app.count("--epub") > 0;
    if (options.sources.empty() && !options.epubFile.empty()) {
        options.sources.push_back(std::exchange(options.epubFile, {}));
    }
    if (options.rules) {
        CommandLine line;
        line.rules = true;
        line.json = options.json;
        return {line, static_cast<int>(ExitCode::Done)};
    }
    // A size is a whole number of characters as typed: "3k" or "0x10" read by their
    // leading digits would cut the book at a size nobody asked for.
    if (app.count("--split-size") > 0 && !IsDecimal(options.splitSize)) {
        std::cerr << "--split-size: not a whole number of characters: "
                  << engine::ToUtf8(engine::PrintableText(engine::FromUtf8(options.splitSize)))
                  << " (0 for none)\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    for (const char* bookOnly : {"--title", "--author", "--cover"}) {
        if (app.count(bookOnly) > 0 && !options.epub) {
            std::cerr << bookOnly << " needs --epub\n";
            return {std::nullopt, static_cast<int>(ExitCode::Usage)};
        }
    }
    if (options.sources.empty()) {
        std::cerr << "SOURCE is required\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    if (std::any_of(options.sources.begin(), options.sources.end(),
                    [](const std::string& source) { return source.empty(); })) {
        std::cerr << "SOURCE is empty\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    // "--epub a.txt b.txt" meant two sources: the first must not be overwritten by a book. (A
    // book onto its own source is refused by the writer, which says so.)
    const auto& sources = options.sources;
    if (engine::HasTextExtension(options.epubFile) &&
        std::find(sources.begin(), sources.end(), options.epubFile) == sources.end()) {
        std::cerr << "--epub " << engine::ToUtf8(engine::ShownPath(options.epubFile))
                  << ": a book is not written to a .txt file (for several sources, write --epub "
                     "without FILE after them)\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    std::optional<CommandLine> line = CommandLineFor(options);
    if (!line) return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    return {std::move(line), static_cast<int>(ExitCode::Done)};
}

} // namespace lumarin::cli
