// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How one directory of the planned image fills sectors: its ISO 9660 extent, whose records
// carry Rock Ridge entries (RRIP 1.10) and never straddle a sector, the continuation area
// that takes what does not fit into a record, and its Joliet extent.
#include "DiscMedia.h" // kSectorBytes

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platterwise {

// What an ISO 9660 record's size depends on.
struct TIsoRecordFacts {
    std::size_t IdLength = 0;   // ISO 9660 identifier, without ";1"
    bool IsFile = false;        // files carry ";1" after the identifier
    std::size_t NameLength = 0; // the Rock Ridge name: the name's bytes
    bool IsDevice = false;      // devices carry their number
    bool IsLink = false;        // links kept as links carry their text
    std::string_view LinkTarget;
};

class TIsoExtent {
public:
    // The "." and ".." records, and for the image root the Rock Ridge announcement.
    explicit TIsoExtent(bool imageRoot);

    // Appends the record of one entry (one per section of a file of 4 GiB or more), in the
    // order of the identifiers. Returns its length in bytes (at most 254).
    std::size_t Add(const TIsoRecordFacts& facts);

    // Record length and continuation bytes `facts` would need if the area held `base` bytes.
    static std::size_t RecordLength(const TIsoRecordFacts& facts, std::size_t base,
                                    std::size_t& continuation);

    std::int64_t Bytes() const { return length_; }
    std::int64_t ContinuationBytes() const { return continuation_; }
    std::int64_t Sectors() const;

private:
    std::int64_t length_;
    std::int64_t continuation_;
};

// Adds a record of `length` bytes to an extent of `extent` bytes, starting a new sector
// when it does not fit in the current one.
std::int64_t PlaceRecord(std::int64_t extent, std::size_t length);

// Bytes of a Joliet record for an identifier of `units` UCS-2 characters (no version).
constexpr std::size_t JolietRecordLength(std::size_t units) {
    return 34 + 2 * units;
}
// Bytes of the "." and ".." records of a Joliet directory.
inline constexpr std::size_t kJolietDotRecords = 68;

// Bytes a folder adds to each ISO 9660 path table, and to each Joliet one.
constexpr std::size_t IsoPathEntryLength(std::size_t idLength) {
    return 8 + idLength + idLength % 2;
}
constexpr std::size_t JolietPathEntryLength(std::size_t units) {
    return 8 + 2 * units;
}

// Sectors for `bytes`, rounded up.
constexpr std::int64_t SectorsFor(std::int64_t bytes) {
    return (bytes + kSectorBytes - 1) / kSectorBytes;
}

} // namespace platterwise
