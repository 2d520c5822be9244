// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recordable media by what they really hold: whole 2,048-byte sectors. This table serves the
// exact searches; the window's four templates (MediaTemplates.h) keep their own Mb figures for
// the random search and the totals.
#include <array>
#include <cstdint>
#include <string_view>

namespace platterwise {

inline constexpr std::int64_t kSectorBytes = 2048;

struct TDiscMedium {
    std::string_view Name;        // command-line name, lower case: "dvd+r"
    std::string_view DisplayName; // for people: "DVD+R"
    std::int64_t CapacitySectors; // user-data sectors of a blank disc
};

inline constexpr std::array<TDiscMedium, 10> DiscMedia{{
    {"cd-r74", "CD-R 74 min", 333'000},
    {"cd-r", "CD-R 80 min", 360'000},
    {"dvd+r", "DVD+R", 2'295'104},
    {"dvd-r", "DVD-R", 2'298'496},
    {"dvd+r-dl", "DVD+R DL", 4'173'824},
    {"dvd-r-dl", "DVD-R DL", 4'171'712},
    {"bd-r", "BD-R", 12'219'392},
    {"bd-r-dl", "BD-R DL", 24'438'784},
    {"bd-r-xl100", "BD-R XL 100 GB", 48'878'592},
    {"bd-r-xl128", "BD-R XL 128 GB", 62'500'864},
}};

inline constexpr std::string_view kDefaultDiscMedium = "dvd+r";

// The medium whose Name is `name` (ASCII letters in any case), or nullptr.
const TDiscMedium* FindDiscMedium(std::string_view name);

// The real medium behind template `templateIndex` of the window's list (0 DVD+R, 1 DVD-R,
// 2 DVD+R DL, 3 CD-R: the 80-minute disc), or nullptr for an index outside 0 to 3.
const TDiscMedium* DiscMediumForTemplate(int templateIndex);

// A custom capacity of `mb` Mb (1,000,000 bytes each) in whole sectors, rounded down: 0 for
// `mb` of 0 or less, held at the int64 limit for sizes beyond it.
std::int64_t SectorsFromMb(std::int64_t mb);

// Sectors needed for `bytes`, rounded up (0 for 0 or less).
std::int64_t SectorsForBytes(std::int64_t bytes);

} // namespace platterwise
