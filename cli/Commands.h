// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of platterwise-cli, writing to the given streams so they can be tested
// in-process. One file each: FillCommand.cpp, TotalCommand.cpp, DiscCommand.cpp (best, plan).
#include "CliArguments.h"

#include <iosfwd>
#include <stop_token>
#include <string>
#include <vector>

namespace platterwise::cli {

// Exit statuses.
inline constexpr int kExitFound = 0;         // a combination, a report, a disc or a plan
inline constexpr int kExitNotFound = 1;      // no combination; nothing fits a disc
inline constexpr int kExitBadArguments = 2;  // one line on standard error says why
inline constexpr int kExitInterrupted = 130; // burn stopped by Ctrl+C, the drive stopped first

int RunFill(const TCliArguments& args, std::ostream& out, std::ostream& err);
int RunTotal(const TCliArguments& args, std::ostream& out, std::ostream& err);
// best and plan, as args.Command says.
int RunDiscs(const TCliArguments& args, std::ostream& out, std::ostream& err);

// drives: the scan, or the one drive --drive names.
int RunDrives(const TCliArguments& args, std::ostream& out, std::ostream& err);
// burn: the next blank disc is awaited on `in`; `stop` cancels the drive cleanly. Progress
// goes to `err`, rewritten in place when `terminal`, else a line at each tenth.
int RunBurn(const TCliArguments& args, std::istream& in, std::ostream& out, std::ostream& err,
            std::stop_token stop, bool terminal);
// catalogue list|show|find|burned|forget|add. Exit 1: a label not found, nothing found.
int RunCatalogue(const TCliArguments& args, std::ostream& out, std::ostream& err);
// verify LABEL SOURCE. Exit 0: every file good; 1: damage found; 2: could not verify.
int RunVerify(const TCliArguments& args, std::ostream& out, std::ostream& err);

// Parses `argv` (without the program name) and runs the command; "--files-from -" reads
// `in` (std::cin in the first form).
int RunCli(const std::vector<std::string>& argv, std::ostream& out, std::ostream& err);
int RunCli(const std::vector<std::string>& argv, std::istream& in, std::ostream& out,
           std::ostream& err);

} // namespace platterwise::cli
