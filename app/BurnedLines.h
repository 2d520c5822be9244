// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The items a plan left out because a burned disc holds them: after the discs' lines, one
// header "Already on disc LABEL" per disc, each with its items, all in orange, a colour no
// other report of the panel uses, so they never read as part of a disc to burn.
#include "DiscResultView.h"
#include "catalogue/DiscImages.h"

#include <vector>

namespace platterwise {

// Adds the lines (none for no items; Disc -1, so no disc action takes them) and says on the
// summary how many items were left out (or that all were, when nothing else is listed). Items show
// by name, or by full path when `fullPaths`.
void AddAlreadyOnDisc(TResultView& view, const std::vector<TBurnedItem>& items, bool fullPaths);

} // namespace platterwise
