// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planned cost of an item whose tree was read for sizing: the engine's cost model fed
// from the tree, as a folder walk feeds it.
#include "ImageCost.h"
#include "ImageTree.h"

#include <cstdint>
#include <string_view>

namespace platterwise {

// ItemImageCost for the item of `tree` under `rootName`, each file's content counted once
// however many of its links the tree holds.
TItemImageCost PlannedItemCost(const TImageTree& tree, std::string_view rootName);

} // namespace platterwise
