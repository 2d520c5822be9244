// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a selected item is already on a burned disc: every file below it (links followed)
// has a catalogued copy on that disc with the same source path, size and modification time,
// and the disc holds no other file of it.
#include "Catalogue.h"

#include <string>
#include <vector>

namespace platterwise {

struct TBurnedCheck {
    std::vector<std::string> Labels; // the burned discs that hold the item unchanged
    std::string ChangedSince;        // else the latest burned disc that holds another version
    bool Already() const { return !Labels.empty(); }
};

// Checks the item at `path` (absolute, as catalogued) against `catalogue`. An item with no
// files is never on a disc. Unreadable entries count as changed. Throws TCatalogueError.
TBurnedCheck CheckBurned(TCatalogue& catalogue, const std::string& path);

} // namespace platterwise
