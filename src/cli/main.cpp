// SPDX-License-Identifier: MIT
#include "cli/SplitCommand.h"

int main(int argc, char** argv) {
    return lumarin::cli::RunSplitCommand(argc, argv);
}
