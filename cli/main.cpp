// SPDX-License-Identifier: GPL-3.0-or-later
// platterwise-cli: the selection engine from the command line.
#include "Commands.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return platterwise::cli::RunCli(args, std::cout, std::cerr);
}
