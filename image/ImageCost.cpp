// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageCost.h"

#include "ImageDirectory.h"
#include "ImageNames.h"
#include "XorrisoLimits.h"

#include <algorithm>
#include <numeric>

namespace platterwise {
namespace {

constexpr std::int64_t kSectionLimit = 0xFFFFFFFFLL; // one extent holds less than 4 GiB
constexpr std::int64_t kExtentSize = 0xFFFFF800LL;   // the size of each extent but the last
constexpr std::size_t kIsoIdMax = 31;
constexpr std::size_t kJolietIdMax = 103;
// When equal identifiers are told apart, each gets up to this many digits more.
constexpr std::size_t kMangleDigits = 7;

// Bytes that records and continuation pieces fill of every sector of an area but its last,
// at least, since none may straddle a sector: 2,048 less the longest record plus one for the
// root directories (ISO 9660 records of up to 254 bytes, Joliet ones of up to 240), and less
// two pieces of up to 260 bytes with their pointer entries for the continuation area. Path
// tables are filled to the byte, and each entry goes into two of them.
constexpr std::int64_t kIsoRootFill = 1794;
constexpr std::int64_t kJolietRootFill = 1809;
constexpr std::int64_t kContinuationFill = 1472;
constexpr std::int64_t kPathTableFill = 1024;
static_assert(kSharedUnitsPerSector % kIsoRootFill == 0 &&
              kSharedUnitsPerSector % kJolietRootFill == 0 &&
              kSharedUnitsPerSector % kContinuationFill == 0 &&
              kSharedUnitsPerSector % kPathTableFill == 0);

// `bytes` of an area filled at least `fill` bytes a sector, in shared units.
constexpr std::int64_t Units(std::int64_t bytes, std::int64_t fill) {
    return bytes * (kSharedUnitsPerSector / fill);
}

bool InJoliet(TImageEntryKind kind) {
    return kind == TImageEntryKind::File || kind == TImageEntryKind::Folder;
}

TIsoRecordFacts Facts(std::size_t idLength, TImageEntryKind kind, std::size_t nameLength,
                      std::string_view linkTarget) {
    return {idLength,
            kind == TImageEntryKind::File,
            nameLength,
            kind == TImageEntryKind::Device,
            kind == TImageEntryKind::Symlink,
            linkTarget};
}

// The longest record and continuation piece an entry may need, whatever identifier from
// `idLength` up to `idMax` it ends up with, measured at the start of a continuation sector.
struct Worst {
    std::size_t Record = 0;
    std::size_t Continuation = 0;
};
Worst WorstRecord(std::size_t idLength, std::size_t idMax, TImageEntryKind kind,
                  std::size_t nameLength, std::string_view linkTarget) {
    Worst worst;
    for (std::size_t id = idLength; id <= std::max(idLength, idMax); ++id) {
        std::size_t ce = 0;
        worst.Record = std::max(
            worst.Record, TIsoExtent::RecordLength(Facts(id, kind, nameLength, linkTarget), 0, ce));
        worst.Continuation = std::max(worst.Continuation, ce);
    }
    return worst;
}

// Sectors that records of `total` bytes, none longer than `longest`, can take at most, in
// whatever order they come: every sector but the last is filled past 2,048 - `longest`.
std::int64_t PackedSectorsAtMost(std::int64_t total, std::int64_t longest, std::int64_t fill) {
    if (total <= 0) {
        return 0;
    }
    return (total - 1) / std::min(fill, kSectorBytes - longest + 1) + 1;
}

template <typename Id>
std::vector<bool> Collisions(const std::vector<std::size_t>& order, Id id) {
    std::vector<bool> collides(order.size(), false);
    for (std::size_t i = 1; i < order.size(); ++i) {
        if (id(order[i]) == id(order[i - 1])) {
            collides[i] = collides[i - 1] = true;
        }
    }
    return collides;
}

std::size_t MangledMax(std::size_t length, std::size_t limit) {
    return std::min(length + kMangleDigits, std::max(length, limit));
}

} // namespace

TImageCostParts& TImageCostParts::operator+=(const TImageCostParts& other) {
    Sectors += other.Sectors;
    IsoPathBytes += other.IsoPathBytes;
    JolietPathBytes += other.JolietPathBytes;
    return *this;
}

std::int64_t FileSections(std::int64_t size) {
    return size > kSectionLimit ? (size - kSectionLimit + kExtentSize - 1) / kExtentSize + 1 : 1;
}

void TFolderImageCost::Add(const TImageEntry& entry) {
    const bool folder = entry.Kind == TImageEntryKind::Folder;
    const bool file = entry.Kind == TImageEntryKind::File;
    entries_.push_back({IsoIdentifier(entry.Name, folder),
                        InJoliet(entry.Kind) ? JolietIdentifier(entry.Name, folder) : u"",
                        entry.Name.size(), entry.Kind, file ? FileSections(entry.Size) : 1,
                        std::string(entry.LinkTarget)});
    if (file && entry.CountsData) {
        dataSectors_ += SectorsFor(entry.Size);
    }
}

TImageCostParts TFolderImageCost::Close() const {
    TImageCostParts parts;
    parts.Sectors = dataSectors_;
    std::vector<std::size_t> order(entries_.size());

    // ISO 9660: records in the order of their identifiers.
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return entries_[a].Iso < entries_[b].Iso; });
    const std::vector<bool> isoCollides =
        Collisions(order, [&](std::size_t i) -> const std::string& { return entries_[i].Iso; });
    TIsoExtent extent(false);
    std::int64_t boundBytes = extent.Bytes();
    std::int64_t boundContinuation = 0;
    std::int64_t longest = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Entry& e = entries_[order[k]];
        const std::size_t id = e.Iso.size();
        const std::size_t idMax = isoCollides[k] ? MangledMax(id, kIsoIdMax) : id;
        const Worst worst = WorstRecord(id, idMax, e.Kind, e.NameLength, e.LinkTarget);
        for (std::int64_t s = 0; s < e.Sections; ++s) {
            extent.Add(Facts(id, e.Kind, e.NameLength, e.LinkTarget));
            boundBytes += std::int64_t(worst.Record);
            boundContinuation += std::int64_t(worst.Continuation);
            longest = std::max(longest, std::int64_t(worst.Record));
        }
        if (e.Kind == TImageEntryKind::Folder) {
            parts.IsoPathBytes += std::int64_t(IsoPathEntryLength(idMax));
        }
    }
    const bool isoExact =
        std::none_of(isoCollides.begin(), isoCollides.end(), [](bool b) { return b; });
    parts.Sectors += isoExact ? extent.Sectors()
                              : PackedSectorsAtMost(boundBytes, longest, kSectorBytes) +
                                    PackedSectorsAtMost(boundContinuation, 0, kContinuationFill);

    // Joliet: files and folders only, in the order of their identifiers.
    order.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (InJoliet(entries_[i].Kind)) {
            order.push_back(i);
        }
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries_[a].Joliet < entries_[b].Joliet;
    });
    const std::vector<bool> jolietCollides = Collisions(
        order, [&](std::size_t i) -> const std::u16string& { return entries_[i].Joliet; });
    std::int64_t joliet = kJolietDotRecords;
    std::int64_t jolietBound = kJolietDotRecords;
    std::int64_t jolietLongest = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const Entry& e = entries_[order[k]];
        const std::size_t units = e.Joliet.size();
        const std::size_t unitsMax = jolietCollides[k] ? MangledMax(units, kJolietIdMax) : units;
        for (std::int64_t s = 0; s < e.Sections; ++s) {
            joliet = PlaceRecord(joliet, JolietRecordLength(units));
            jolietBound += std::int64_t(JolietRecordLength(unitsMax));
            jolietLongest = std::max(jolietLongest, std::int64_t(JolietRecordLength(unitsMax)));
        }
        if (e.Kind == TImageEntryKind::Folder) {
            parts.JolietPathBytes += std::int64_t(JolietPathEntryLength(unitsMax));
        }
    }
    const bool jolietExact =
        std::none_of(jolietCollides.begin(), jolietCollides.end(), [](bool b) { return b; });
    parts.Sectors += jolietExact ? SectorsFor(joliet)
                                 : PackedSectorsAtMost(jolietBound, jolietLongest, kSectorBytes);
    return parts;
}

TItemImageCost ItemImageCost(const TImageEntry& item, const TImageCostParts& inner) {
    const bool folder = item.Kind == TImageEntryKind::Folder;
    const std::int64_t sections = item.Kind == TImageEntryKind::File ? FileSections(item.Size) : 1;
    // Its records in the root directories and its piece of the root's continuation area,
    // charged as if its identifiers were the longest that telling it apart from another item
    // could make them; its folders' entries in the path tables.
    const std::size_t id = IsoIdentifier(item.Name, folder).size();
    const std::size_t idMax = MangledMax(id, kIsoIdMax);
    const Worst worst = WorstRecord(id, idMax, item.Kind, item.Name.size(), item.LinkTarget);
    std::int64_t shared = Units(sections * std::int64_t(worst.Record), kIsoRootFill) +
                          Units(sections * std::int64_t(worst.Continuation), kContinuationFill);
    std::int64_t pathBytes = inner.IsoPathBytes + inner.JolietPathBytes;
    if (InJoliet(item.Kind)) {
        const std::size_t units =
            MangledMax(JolietIdentifier(item.Name, folder).size(), kJolietIdMax);
        shared += Units(sections * std::int64_t(JolietRecordLength(units)), kJolietRootFill);
        if (folder) {
            pathBytes += std::int64_t(JolietPathEntryLength(units));
        }
    }
    if (folder) {
        pathBytes += std::int64_t(IsoPathEntryLength(idMax));
    }
    shared += Units(pathBytes, kPathTableFill);
    const std::int64_t data =
        item.Kind == TImageEntryKind::File && item.CountsData ? SectorsFor(item.Size) : 0;
    return {inner.Sectors + data, shared};
}

std::int64_t FixedImageSectors(bool padded) {
    // The system area and the three volume descriptors; the root directories with their own
    // records (ISO 9660 with the continuation area that announces Rock Ridge, and Joliet)
    // and the root's entry in each of the four path tables; a sector of rounding for each of
    // those seven areas. libisofs places file data at sector 32 or later, and keeps one
    // zeroed sector for every empty file.
    constexpr std::int64_t kRootUnits = Units(228, kIsoRootFill) + Units(237, kContinuationFill) +
                                        Units(kJolietDotRecords, kJolietRootFill) +
                                        Units(10 + 10, kPathTableFill);
    constexpr std::int64_t kStructures =
        16 + 3 + 7 + (kRootUnits + kSharedUnitsPerSector - 1) / kSharedUnitsPerSector;
    return std::max<std::int64_t>(32, kStructures) + 1 + (padded ? kPadSectors : 0);
}

std::int64_t PlannedImageSectors(const std::vector<TItemImageCost>& items, bool padded) {
    std::int64_t whole = 0;
    std::int64_t shared = 0;
    for (const TItemImageCost& item : items) {
        whole += item.WholeSectors;
        shared += item.SharedUnits;
    }
    return FixedImageSectors(padded) + whole +
           (shared + kSharedUnitsPerSector - 1) / kSharedUnitsPerSector;
}

} // namespace platterwise
