// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlannedCost.h"

#include <set>
#include <utility>
#include <vector>

namespace platterwise {

TItemImageCost PlannedItemCost(const TImageTree& tree, std::string_view rootName) {
    std::vector<TFolderImageCost> folders(tree.Nodes.size());
    std::set<std::pair<std::uint64_t, std::uint64_t>> counted;
    const auto entryOf = [&](const TImageNode& node, std::string_view name) {
        const bool first =
            node.Kind != TImageEntryKind::File || counted.insert({node.Device, node.Inode}).second;
        return TImageEntry{name, node.Kind, node.Size, first, tree.LinkTarget(node)};
    };
    const TImageEntry item = entryOf(tree.Nodes.front(), rootName);
    for (std::size_t i = 1; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        folders[node.Parent].Add(entryOf(node, tree.Name(node)));
    }
    TImageCostParts inner;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        if (tree.Nodes[i].Kind == TImageEntryKind::Folder) {
            inner += folders[i].Close();
        }
    }
    return ItemImageCost(item, inner);
}

} // namespace platterwise
