#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumarin::cli {

// Everything the user typed, as typed: the numbers stay text because they are read like the
// window's fields (leading numeric part), which is the engine's business.
struct SplitOptions {
    std::string source;
    std::string condition; // "auto": the built-in rule that explains the text best
    std::string rule;      // a built-in rule by name, instead of the condition
    std::string output = "(default)";
    std::string pattern = "%n-%c%s";
    std::string chaptersPerFile = "1";
    std::string filesPerFolder = "50";
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
    std::string existing = "refuse"; // refuse | overwrite | append
    bool list = false;
    bool json = false;
    bool nearMisses = false;
    bool rules = false; // print the built-in rules instead of reading a source
    bool quiet = false;
};

// Outcome of reading the command line: either options to run with, or an exit status for
// --help (0) and for usage errors (2), whose text has already been printed.
struct ParsedCommandLine {
    std::optional<SplitOptions> options;
    int exitStatus = 0;
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv,
                                   const std::string& defaultCondition);

} // namespace lumarin::cli
