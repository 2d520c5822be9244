// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What xorriso and libisofs take, and the padding xorriso adds: the limits an image obeys.
#include "DiscMedia.h" // kSectorBytes

#include <cstddef>
#include <cstdint>

namespace platterwise {

// xorriso refuses paths of this many bytes or more, on disk and in the image.
inline constexpr std::size_t kXorrisoPathLimit = 4096;
// libisofs refuses a link whose target is longer, or has a longer component.
inline constexpr std::size_t kLongestLinkTarget = 1023;
inline constexpr std::size_t kLongestName = 255;

// The largest file xorriso writes by default (-file_size_limit): 100 extents of 4 GiB - 2 KiB.
inline constexpr std::int64_t kLargestXorrisoFile = 100 * ((std::int64_t(4) << 30) - kSectorBytes);

// Sectors of zeros that xorriso -pad adds after the data (300 KiB).
inline constexpr int kPadSectors = 150;

} // namespace platterwise
