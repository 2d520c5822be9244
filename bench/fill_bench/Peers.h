// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The peers of the fill benchmark, run as their users would run them, on the same weights as
// our searches: every item's planned sectors in bytes (sectors x 2,048), and the room a disc
// leaves for items.
//  - dirsplit (genisoimage): `dirsplit -T LIST -s BYTES -p PREFIX` with its default accuracy
//    (500 random first-fit trials). It takes 420,000 bytes off the size for the image's own
//    structures, so BYTES is the room plus those 420,000.
//  - fpart: `fpart -a -i LIST -s BYTES -o -`, the list in name order as a crawl would give it.
#include <cstdint>
#include <string>
#include <vector>

namespace platterwise::bench {

struct TPeerResult {
    bool Ran = false;                            // the program ran and its output was understood
    std::vector<std::vector<std::size_t>> Discs; // item positions per disc (volume, partition)
    double Seconds = 0;                          // wall time of the program, start-up included
};

// `paths` and `sectors` describe the items; `roomSectors` is what a disc holds for them.
// `scratch` is an empty folder the peers may write into.
TPeerResult RunDirsplit(const std::vector<std::string>& paths,
                        const std::vector<std::int64_t>& sectors, std::int64_t roomSectors,
                        const std::string& scratch);
TPeerResult RunFpart(const std::vector<std::string>& paths,
                     const std::vector<std::int64_t>& sectors, std::int64_t roomSectors,
                     const std::string& scratch);

} // namespace platterwise::bench
