// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names selected items take at the image root, where two of them may not share one.
#include "image/XorrisoLimits.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

struct TImageTree;

// The name an item at `path` brings along: its last component, trailing separators ignored.
// Empty for "/" and for an empty path.
std::string ItemName(std::string_view path);

// `path` as the graft points give it to xorriso: absolute, with no "." or ".." components and
// no repeated or trailing separators. xorriso resolves those components by the text, which
// differs from what the file system does after a link; so the folder holding the item is
// resolved by the file system (realpath), and the item's own name appended unchanged. A path
// whose folder cannot be resolved is returned as it is.
std::string GraftDiskPath(std::string path);

struct TRootItem {
    std::string_view Name; // as ItemName gives it
    bool IsFolder = false;
};

// One name per item, in the given order. The first item with a name keeps it; a later one
// with a name already taken becomes "Name (2)", "Name (3)", ..., the first such name that no
// item holds or will hold, the number going before a file's extension ("track (2).flac").
// Names stay within the 255 bytes a file name may have, shortened at a character boundary.
// REQUIRES: no name is empty.
std::vector<std::string> ResolveRootNames(const std::vector<TRootItem>& items);

// The same names, only for the items that do not keep their own, by position: a selection of
// 100,000 items mostly renames none.
std::map<std::size_t, std::string> RenamedRoots(const std::vector<TRootItem>& items);

// Bytes of the longest path in the image ("/" + `rootName` + "/" + ...) when the item whose tree
// `tree` holds stands at the root as `rootName`: a renamed item's paths grow with its name.
std::size_t LongestImagePath(const TImageTree& tree, std::string_view rootName);

} // namespace platterwise
