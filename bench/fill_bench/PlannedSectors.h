// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Planned sectors for the benchmark's searches, as the disc job plans them: the image cost
// model fed by the walk that measures bytes (a folder), or by the name and size (a file).
#include <cstdint>
#include <string>

namespace platterwise::bench {

// The planned sectors of the item at `path` (a file, or a folder with everything below it) on
// its own, under its own name at the image root.
std::int64_t PlannedItemSectors(const std::string& path);

} // namespace platterwise::bench
