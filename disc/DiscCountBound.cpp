// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscCountBound.h"

#include "engine/BinPackingBound.h"
#include "image/DiscMedia.h"

#include <algorithm>
#include <map>
#include <utility>

namespace platterwise {

std::vector<std::int64_t> OwnDataSectors(const std::vector<const TImageTree*>& trees) {
    constexpr std::size_t kShared = std::size_t(-1);
    // Each file identity: the one tree that reaches it, or kShared; with its size.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::pair<std::size_t, std::int64_t>> owner;
    for (std::size_t t = 0; t < trees.size(); ++t) {
        for (const TImageNode& node : trees[t]->Nodes) {
            if (node.Kind != TImageEntryKind::File) {
                continue;
            }
            const auto [at, fresh] =
                owner.try_emplace({node.Device, node.Inode}, std::pair{t, node.Size});
            if (!fresh && at->second.first != t) {
                at->second.first = kShared;
            }
        }
    }
    std::vector<std::int64_t> sectors(trees.size(), 0);
    for (const auto& [identity, file] : owner) {
        if (file.first != kShared && file.second > 0) {
            sectors[file.first] += (file.second + kSectorBytes - 1) / kSectorBytes;
        }
    }
    return sectors;
}

std::int64_t DiscCountLowerBound(const std::vector<const TImageTree*>& trees,
                                 std::int64_t capacitySectors, std::int64_t emptyImageSectors) {
    if (trees.empty()) {
        return 0;
    }
    const std::int64_t room = capacitySectors - emptyImageSectors;
    std::vector<std::int64_t> sectors = OwnDataSectors(trees);
    for (std::int64_t& s : sectors) {
        s = std::clamp<std::int64_t>(s, 0, std::max<std::int64_t>(room, 0)); // each fits a disc
    }
    return BinPackingLowerBound(sectors, room);
}

} // namespace platterwise
