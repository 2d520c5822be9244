// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check that every disc the benchmark makes holds what was promised: xorriso sizes the
// image with the command the program prints, -print-size in place of -o.
#include "disc/ImageSizer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platterwise::bench {

struct TVerified {
    int Equal = 0; // discs whose verified size xorriso confirmed to the sector
    int Discs = 0;
};

// Runs xorriso on the graft points of the items at `chosen` and counts whether it prints
// `sectors`; a mismatch is reported on standard error.
void VerifyWithXorriso(TImageSizer& sizer, const std::vector<std::size_t>& chosen,
                       std::int64_t sectors, TVerified& tally);

} // namespace platterwise::bench
