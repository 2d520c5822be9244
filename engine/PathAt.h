// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paths of any length. The kernel takes at most PATH_MAX bytes in one call; a longer path is
// followed one component at a time, each relative to the folder before it.
#include <string>
#include <sys/stat.h>

namespace platterwise {

// An open descriptor (O_RDONLY | O_DIRECTORY | O_CLOEXEC) of the folder at `path`, which the
// caller closes; -1 with errno set when it cannot be opened.
int OpenFolderPath(const std::string& path);

// stat of `path`, following a final link when `follow`. 0, or -1 with errno set.
int StatPath(const std::string& path, struct stat& st, bool follow = true);

} // namespace platterwise
