// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running another program from a test: a shell reading back what we quote, xorriso sizing an
// image.
#include <string>
#include <vector>

namespace platterwise::testing {

// Runs the command (words as for execvp), returning its standard output; the exit status
// goes to `status` (-1 when it could not start or did not exit). Standard error is dropped.
std::string RunCommand(const std::vector<std::string>& words, int& status);

} // namespace platterwise::testing
