#include "SplitOptions.h"

#include "ExitCode.h"
#include "engine/encoding/EncodingChoice.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string_view>
#include <utility>

namespace lumarin::cli {

namespace {

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
    app.add_option("SOURCE", o.source, "the novel to split (a .txt file)")->type_name("");
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
    app.add_option("--epub", o.epubFile,
                   "write one EPUB book instead of chapter files: to FILE, or named after the "
                   "source with .epub, in the --output folder (beside the source by default)")
        ->type_name("[FILE]")
        ->expected(0, 1);
    app.add_option("--title", o.title,
                   "with --epub: the book's title (else the text's 《…》 line, "
                   "else the file name)")
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

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv,
                                   const std::string& defaultCondition) {
    SplitOptions options;
    options.condition = defaultCondition;
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
    if (options.source.empty() && options.epub) {
        options.source = std::exchange(options.epubFile, {});
    }
    if (options.rules) return {options, static_cast<int>(ExitCode::Done)};
    for (const char* bookOnly : {"--title", "--author", "--cover"}) {
        if (app.count(bookOnly) > 0 && !options.epub) {
            std::cerr << bookOnly << " needs --epub\n";
            return {std::nullopt, static_cast<int>(ExitCode::Usage)};
        }
    }
    if (app.count("SOURCE") == 0 && options.source.empty()) {
        std::cerr << "SOURCE is required\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    if (options.source.empty()) {
        std::cerr << "SOURCE is empty\n";
        return {std::nullopt, static_cast<int>(ExitCode::Usage)};
    }
    return {options, static_cast<int>(ExitCode::Done)};
}

} // namespace lumarin::cli
