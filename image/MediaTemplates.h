// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four media with the capacity each action uses, and the real medium (DiscMedia.h) each
// stands for: the one table the window, the command line and the disc searches share. The
// columns differ on purpose: the search, the two totals reports and Auto size each have their
// own figure for DVD+R DL and CD-R. The figures inside the captions are display text and are
// never parsed.
#include <array>
#include <cstdint>
#include <string_view>

namespace platterwise {

struct TMediaTemplate {
    std::string_view Caption;            // the template list's item text
    std::string_view Medium;             // the medium's name inside the Auto size warning
    std::int64_t SearchTargetMb;         // the disc-fill search's target, Mb
    std::int64_t TotalsOnTemplateChange; // bytes
    std::int64_t TotalsOnButton;         // bytes
    std::int64_t AutoSizeTested;         // bytes: must exceed the last total
    std::int64_t AutoSizeRemainder;      // bytes: the last total is taken from this
    std::string_view DiscMedium;         // the DiscMedia entry's Name: its whole sectors
};

inline constexpr std::array<TMediaTemplate, 4> MediaTemplates{{
    {"DVD+R -- 4483Mb 4,7Gb)", "DVD+R", 4700, 4'700'000'000, 4'700'000'000, 4'700'000'000,
     4'700'000'000, "dvd+r"},
    {"DVD-R -- 4489Mb (4,7Gb)", "DVD-R", 4707, 4'707'000'000, 4'707'000'000, 4'707'000'000,
     4'707'000'000, "dvd-r"},
    {"DVD+R DL -- 8152Mb (8,5Gb)", "DVD+R DL", 8547, 8'547'991'552, 8'547'000'000, 8'547'900'000,
     8'547'000'000, "dvd+r-dl"},
    {"CD-R -- 700Mb", "CD-R", 733, 700'000'000, 700'000'000, 733'000'000, 733'000'000, "cd-r"},
}};

// The index of the template that stands for the DiscMedia entry named `medium` (its Name, as
// written there), or -1 when none does.
constexpr int TemplateOfDiscMedium(std::string_view medium) {
    for (std::size_t i = 0; i < MediaTemplates.size(); ++i) {
        if (MediaTemplates[i].DiscMedium == medium) {
            return int(i);
        }
    }
    return -1;
}

// The template at `index`, or nullptr for an index outside 0 to 3 (a list with no choice).
constexpr const TMediaTemplate* FindTemplate(int index) {
    return index >= 0 && index < int(MediaTemplates.size()) ? &MediaTemplates[std::size_t(index)]
                                                            : nullptr;
}

} // namespace platterwise
