// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact size of a disc image, in 2,048-byte sectors, as libisofs lays it out for the
// options given, without writing anything: the size `xorriso -print-size` gives for the same
// options and graft points.
#include "GraftPoints.h"
#include "ImageOptions.h"
#include "TreeProblems.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

struct TImageRootEntry {
    const TImageTree* Tree = nullptr; // not owned; must outlive the call
    std::string Name;                 // its name at the image root, unique among the entries
    std::string_view DiskPath;        // names it in errors when not empty, else Name does
};

// Sectors of the image that holds each entry's tree at its root. Thread-safe (calls into
// libisofs are serialised). Throws TDiscError when libisofs refuses the tree. Once `stop` is
// requested it returns 0 within a thousand entries. The error names the entry libisofs
// refused by its whole path.
std::int64_t ExactImageSectors(const std::vector<TImageRootEntry>& entries,
                               const TImageOptions& options = {}, const std::stop_token& stop = {});

// Sizes images of chosen sets of selected items, as a search asks again and again. Each
// item's tree is either handed over (Adopt) by the walk that measured the item, or read from
// disk the first time a set holds it; it is kept, and every set is sized from memory. Not
// thread-safe; one search owns one sizer. Once `stop` is requested, reading and sizing end within a
// thousand entries with figures that mean nothing (0 sectors, partial trees): the caller that
// stopped it drops them.
class TImageSizer {
public:
    // `paths`: the selected items in selection order; kept as GraftDiskPath gives them.
    explicit TImageSizer(std::vector<std::string> paths, TImageOptions options = {},
                         std::stop_token stop = {});

    struct TImage {
        std::int64_t Sectors = 0;
        std::vector<TGraftPoint> GraftPoints; // in selection order, names resolved
    };

    // The image of the items at positions `chosen` into the paths (any order; each once).
    // Items sharing a name are told apart as ResolveRootNames says, in selection order.
    // Throws TDiscError when an item cannot be read or placed.
    TImage Size(const std::vector<std::size_t>& chosen);
    // The graft points Size gives for `chosen`, without sizing the image.
    std::vector<TGraftPoint> GraftPoints(const std::vector<std::size_t>& chosen);
    // Size(chosen).Sectors, without the graft points.
    std::int64_t Sectors(const std::vector<std::size_t>& chosen);

    const TImageOptions& Options() const { return options_; }

    // The path of the item at `item` as its graft point gives it (GraftDiskPath).
    const std::string& DiskPath(std::size_t item) const { return paths_.at(item); }

    // The tree of the item at position `item`: the one adopted, else read from disk on first
    // use (throwing TDiscError where xorriso would stop).
    const TImageTree& Tree(std::size_t item);
    // Takes `tree` as the tree of the item at position `item`. REQUIRES: it was read from the
    // item's DiskPath (ReadImageTree), without problems.
    void Adopt(std::size_t item, TImageTree tree) { trees_.at(item) = std::move(tree); }

private:
    // The names of the items at `items` (ascending) at the image root. Throws TDiscError.
    std::vector<std::string> RootNames(const std::vector<std::size_t>& items);
    // The graft points, and the image, of the items at `items` (ascending) under `names`.
    std::vector<TGraftPoint> PointsOf(const std::vector<std::size_t>& items,
                                      const std::vector<std::string>& names) const;
    std::int64_t SectorsOf(const std::vector<std::size_t>& items,
                           const std::vector<std::string>& names);

    std::vector<std::string> paths_;
    TImageOptions options_;
    std::stop_token stop_;
    std::vector<std::optional<TImageTree>> trees_;
    std::vector<bool> nameShared_;   // another item brings the same name
    std::vector<std::string> names_; // each item's own name (ItemName)
};

} // namespace platterwise
