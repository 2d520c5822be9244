// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The planned cost, in 2,048-byte sectors, of selected items placed side by side at the root
// of the disc image the program plans for (ISO 9660 level 3 with Rock Ridge and Joliet long
// names, as `xorriso -as mkisofs` writes it). A folder walk feeds it folder by folder as it
// lists them, so the walk that measures bytes measures sectors too.
//
// The planned size of a set of items is FixedImageSectors() plus the sum of their planned
// sectors (TItemImageCost::Sectors), or, tighter, PlannedImageSectors() of their costs. Both
// are never smaller than the real image when the walk saw what xorriso sees (the real one is
// libisofs's count). Each item's share of the structures it shares with the others (the
// root directories, the root's continuation area, the path tables) is a fraction of a
// sector: the per-item figure rounds it up, which costs less than a sector per item; the set
// figure rounds the sum once. Names that ISO 9660 or Joliet shorten to one identifier are
// charged the longest identifier that can tell them apart.
#include "ImageEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platterwise {

// Cost parts that add up across folders, and across the walk's threads.
struct TImageCostParts {
    // Whole sectors: file data (each file rounded up to whole sectors), and the directory
    // extents and continuation areas of the folders listed.
    std::int64_t Sectors = 0;
    // Bytes the folders listed add to each ISO 9660 path table (for their sub-folders), and
    // to each Joliet path table.
    std::int64_t IsoPathBytes = 0;
    std::int64_t JolietPathBytes = 0;

    TImageCostParts& operator+=(const TImageCostParts& other);
};

// The cost of one folder's listing: feed it every entry of the folder (not "." and ".."),
// in any order, then close it.
class TFolderImageCost {
public:
    void Add(const TImageEntry& entry);

    // The folder's own directory extents (ISO 9660 with its continuation area, and Joliet),
    // the data of the files it lists, and the path-table bytes of the folders it lists.
    TImageCostParts Close() const;

private:
    struct Entry {
        std::string Iso;
        std::u16string Joliet;
        std::size_t NameLength;
        TImageEntryKind Kind;
        std::int64_t Sections;
        std::string LinkTarget;
    };
    std::vector<Entry> entries_;
    std::int64_t dataSectors_ = 0;
};

// Shares of shared structures are counted in units this small (a common multiple of the
// fill bounds of the shared areas), so that they add up exactly.
inline constexpr std::int64_t kSharedUnitsPerSector = 553'872'384;

struct TItemImageCost {
    std::int64_t WholeSectors = 0; // file data and the extents of folders inside the item
    std::int64_t SharedUnits = 0;  // its share of the shared structures
    // The planned sectors of the item on its own: WholeSectors + SharedUnits rounded up.
    std::int64_t Sectors() const {
        return WholeSectors + (SharedUnits + kSharedUnitsPerSector - 1) / kSharedUnitsPerSector;
    }
};

// The planned cost of one item at the image root: `item` is its entry there (its name at
// the root, its kind, and for a file its size), `inner` the sum of the closed listings of
// every folder inside it, itself included.
TItemImageCost ItemImageCost(const TImageEntry& item, const TImageCostParts& inner);

// The sectors of the image with nothing in it, with room for rounding the shared structures
// that items fill; `padded` adds xorriso's 150 sectors of padding.
std::int64_t FixedImageSectors(bool padded = false);

// FixedImageSectors(padded) + the whole sectors of `items` + their shares rounded up once.
std::int64_t PlannedImageSectors(const std::vector<TItemImageCost>& items, bool padded = false);

// The number of directory records (sections) a file of `size` bytes takes: files of 4 GiB
// and more are split into extents of just under 4 GiB.
std::int64_t FileSections(std::int64_t size);

} // namespace platterwise
