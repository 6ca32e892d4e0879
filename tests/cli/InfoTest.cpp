// SPDX-License-Identifier: MIT
// The runs that only inform: help and version answer on stdout, exit 0 and read no source
// (the manual page is made from them).
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

TEST(InfoTest, HelpAndVersionAnswerWithoutASource) {
    struct Case {
        std::vector<std::string> args; // no SOURCE on purpose
        std::string startsWith;
    };
    for (const Case& c : {Case{{"--version"}, "lumarin-split 2."}, Case{{"-V"}, "lumarin-split 2."},
                          Case{{"--help"}, "Splits a Chinese novel into chapter files."}}) {
        const RunResult run = RunSplit(c.args);
        const std::string& name = c.args.front();
        EXPECT_EQ(run.exitCode, 0) << name;
        EXPECT_EQ(run.out.rfind(c.startsWith, 0), 0u) << name << ": " << run.out;
        EXPECT_EQ(run.err, "") << name;
    }
    EXPECT_EQ(RunSplit({"--version"}).out, RunSplit({"-V"}).out);
}

} // namespace
} // namespace lumarin::cli::test
