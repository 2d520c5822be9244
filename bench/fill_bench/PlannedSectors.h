#pragma once
// Planned sectors for the benchmark's searches, computed simply and in one place, so that the
// image's exact cost model can take its place: every file rounded up to whole sectors, plus a
// rough 300 bytes of directory records (ISO 9660, Joliet and Rock Ridge together) per entry.
#include <cstdint>
#include <string>

namespace platterwise::bench {

// A rough cost of the image itself: volume descriptors, path tables, the root directories.
inline constexpr std::int64_t kFixedSectors = 210;

// The planned sectors of the item at `path` (a file, or a folder with everything below it).
std::int64_t PlannedItemSectors(const std::string& path);

} // namespace platterwise::bench
