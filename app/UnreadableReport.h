// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What Go! and the totals could not read, written to standard error: the window itself shows
// what it always has, so a user who started the program from a terminal still learns which
// folders were not counted, and no box interrupts the action.
#include "engine/MeasureProblems.h"

#include <cstdio>
#include <string>

namespace platterwise {

// One line per problem: "platterwise: <path>: <system message>", control characters in the
// path shown as "?" as in the results; then a line for those beyond the kept ones.
void ReportUnreadable(const TMeasureProblems& problems, std::FILE* out = stderr);

// For the message line's tooltip, empty when nothing failed: "2 items could not be read:
// /music/a: Permission denied; /music/b: ..." with the first few paths and their reasons.
std::string UnreadableText(const TMeasureProblems& problems);

} // namespace platterwise
