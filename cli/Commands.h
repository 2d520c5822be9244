#pragma once
// The fill and total commands, writing to the given streams so they can be tested in-process.
#include "CliArguments.h"

#include <iosfwd>

namespace platterwise::cli {

// Exit statuses.
inline constexpr int kExitFound = 0;
inline constexpr int kExitNotFound = 1;
inline constexpr int kExitBadArguments = 2;

int RunFill(const TCliArguments& args, std::ostream& out, std::ostream& err);
int RunTotal(const TCliArguments& args, std::ostream& out, std::ostream& err);

// Parses `argv` (without the program name) and runs the command.
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);

} // namespace platterwise::cli
