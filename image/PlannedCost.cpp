// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlannedCost.h"

#include <algorithm>
#include <functional>
#include <unordered_set>
#include <utility>
#include <vector>

namespace platterwise {

TItemImageCost PlannedItemCost(const TImageTree& tree, std::string_view rootName) {
    struct IdHash {
        std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& id) const {
            return std::hash<std::uint64_t>()(id.second * 0x9E3779B97F4A7C15ull ^ id.first);
        }
    };
    std::unordered_set<std::pair<std::uint64_t, std::uint64_t>, IdHash> counted;
    const auto entryOf = [&](const TImageNode& node, std::string_view name) {
        const bool first =
            node.Kind != TImageEntryKind::File || counted.insert({node.Device, node.Inode}).second;
        return TImageEntry{name, node.Kind, node.Size, first, tree.LinkTarget(node)};
    };
    const TImageEntry item = entryOf(tree.Nodes.front(), rootName);
    // A folder's children follow one another, so each folder is listed and closed in one run.
    TImageCostParts inner;
    TFolderImageCost folder;
    std::uint32_t listing = TImageNode::kNoParent;
    std::int64_t listed = 0;
    for (std::size_t i = 1; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        if (node.Parent != listing) {
            if (listing != TImageNode::kNoParent) {
                inner += folder.Close();
            }
            folder = {};
            listing = node.Parent;
            ++listed;
        }
        folder.Add(entryOf(node, tree.Name(node)));
    }
    if (listing != TImageNode::kNoParent) {
        inner += folder.Close();
    }
    const auto folders = std::count_if(tree.Nodes.begin(), tree.Nodes.end(), [](const auto& n) {
        return n.Kind == TImageEntryKind::Folder;
    });
    const TImageCostParts empty = TFolderImageCost().Close();
    for (std::int64_t k = listed; k < folders; ++k) {
        inner += empty;
    }
    return ItemImageCost(item, inner);
}

} // namespace platterwise
