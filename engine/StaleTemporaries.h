// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What killed writers leave behind: the temporaries that atomic writes (a temporary file
// beside the target, then a rename) never renamed.
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace platterwise {

// Removes from `dir` ("" is the current folder) every entry whose name `isOurs` accepts that
// is a regular file, unchanged for `staleSeconds` or more, and locked (flock) by no live
// writer. A writer holds its lock from just after creating its temporary until the rename;
// the age covers the instants before and after it. Errors are ignored: what cannot be
// removed stays.
void RemoveStaleTemporaries(const std::string& dir,
                            const std::function<bool(std::string_view name)>& isOurs,
                            std::time_t staleSeconds);

} // namespace platterwise
