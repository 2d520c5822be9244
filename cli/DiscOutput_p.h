// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The output of best and plan, text for people or JSON for scripts, built from the disc job's
// result alone.
#include "catalogue/DiscImages.h"
#include "disc/DiscJob.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace platterwise::cli::detail {

struct TDiscReport {
    bool Plan = false;         // plan, else best
    std::string MediumName;    // "dvd+r", ...; "custom" for --size
    std::string MediumDisplay; // "DVD+R", ...; "custom size" for --size
    std::int64_t CapacitySectors = 0;
    TImageOptions Options;
    std::vector<std::string> Lists; // per disc: its graft-point list file, or empty for none
    using TImage = TRecordedImage;
    std::vector<TImage> Images; // per disc, when --write-images wrote them
    // Already on these discs; or changed since the first.
    using TBurnedItem = platterwise::TBurnedItem;
    std::vector<TBurnedItem> AlreadyOnDisc, ChangedSinceDisc;
};

// The xorriso command line that writes disc `index` (0-based) to "disc<N>.iso", reading its
// graft-point list when one was written, else with the graft points as arguments.
std::string DiscCommandLine(const TDiscJobResult& result, const TDiscReport& report,
                            std::size_t index);

void WriteDiscText(const TDiscJobResult& result, const TDiscReport& report, std::ostream& out);
void WriteDiscJson(const TDiscJobResult& result, const TDiscReport& report, std::ostream& out);

} // namespace platterwise::cli::detail
