// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A packing into a given number of bins, searched bin by bin with backtracking (bin completion,
// after Korf, without its dominance rule): the largest item left opens each bin, and the bin is
// completed by sets of other items whose slack the bins can afford, since m bins leave m times
// the capacity less the total weight free and no more. The least slack is tried first; a failed
// bin takes back the last choice. A bounded number of steps per attempt, then a fresh attempt
// with the items' order perturbed, until the deadline.
#include "BinPacking.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <stop_token>

namespace platterwise {

struct TCompletionLimits {
    std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
    std::stop_token Stop;
    int MaxAttempts = 100'000;
    std::int64_t StepsPerAttempt = 100'000;
    std::uint64_t Seed = 1;
};

// A packing of `weights` into exactly `bins` bins of `capacity` (positions into the weights),
// or no bins when none was found within the limits (which proves nothing).
// REQUIRES: 0 < capacity; every weight from 0 to capacity; their sum within int64.
TBins CompleteBins(std::span<const std::int64_t> weights, std::int64_t capacity, std::int64_t bins,
                   const TCompletionLimits& limits);

} // namespace platterwise
