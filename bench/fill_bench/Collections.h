// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fill benchmark's generated collections: seeded, made of sparse files so that hundreds of
// gigabytes of "music" take almost no disk space.
#include <cstdint>
#include <string>
#include <vector>

namespace platterwise::bench {

struct TCollection {
    std::string Name;               // "albums", "400 files", ...
    std::vector<std::string> Items; // absolute paths of the items a user would select, sorted
};

// Makes (or, when `root` already holds the same seed's collections, reuses) four collections
// below `root`: 60 album folders of 8 to 20 tracks with a cover, a cue sheet and a rip log;
// and 400, 3,000 and 10,000 loose tracks. Track sizes are typical of FLAC: 12 to 60 MB.
std::vector<TCollection> MakeCollections(const std::string& root, std::uint64_t seed);

} // namespace platterwise::bench
