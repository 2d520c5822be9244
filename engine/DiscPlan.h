// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fewest discs: every item of a selection on exactly one disc, items whole. A start disc
// by disc (each disc the fullest of what is left; should that need more discs than first-fit
// or best-fit decreasing, made again taking the heuristic's disc wherever a fullest disc
// would cost one), then searches for fewer discs (MinimumBinSlack, CompleteBins and
// ImprovePacking from three starts) within a time limit, ending at the lower bound (Martello
// and Toth's L3). So the plan never needs more discs than either heuristic or the start.
// Every disc is measured through the exact size, as FindFullestDisc does; discs of the search
// that measure over the disc are planned again disc by disc. Discs are listed fullest first.
//
// Data only: what to tell the user is built from the plan elsewhere.
#include "FullestDisc.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace platterwise {

struct TPlannedDisc {
    std::vector<std::size_t> Items;  // positions in the caller's item list, ascending
    std::int64_t PlannedSectors = 0; // FixedSectors + the items' planned sectors
    std::int64_t ImageSectors = 0;   // the exact size when Verified, else PlannedSectors
    bool Verified = false;
    std::int64_t SpareSectors = 0; // CapacitySectors - ImageSectors, never negative
    bool Proven = false;           // full to the last sector, as measured
    int Rounds = 0;                // searches made for this disc (0 for a heuristic's bin)
};

struct TDiscPlan {
    std::vector<TPlannedDisc> Discs;   // fullest first (measured sectors)
    std::vector<std::size_t> TooLarge; // items that alone, with the fixed cost, pass a disc
    // Items no disc took: the plan was stopped, or every set with them measured over the
    // capacity (the exact size kept exceeding the plan). Ascending.
    std::vector<std::size_t> Unplaced;
    bool Stopped = false; // stopped through the stop token
    // No plan of the items that fit needs fewer discs, on planned sizes (BinPackingLowerBound;
    // the real images may differ: a claim to the user needs a bound on real images).
    std::int64_t LowerBound = 0;
};

// Told after each disc how many discs the plan holds and how many items are still to place.
// A plan made again (see above) counts from the start. The search for fewer discs tells each
// plan it finds, with no items left.
using TPlanProgress = std::function<void(std::size_t discs, std::size_t itemsLeft)>;

struct TPlanOptions {
    TSubsetSumLimits Limits;
    // What the search for fewer discs, after the disc-by-disc start, may spend at most; 0 skips
    // it. It ends sooner on reaching the lower bound or when it stalls.
    std::chrono::duration<double> TimeLimit{3.0};
    std::stop_token Stop; // ends that search early, keeping the best plan found
};

// The plan for every item of `problem`. Without `exactSize` the planned sizes are taken as the
// real ones. `options.Stop` is checked within each disc's search and between discs: once it is
// requested the plan ends Stopped, the discs found so far kept and the rest Unplaced.
// REQUIRES: the item sectors sum within int64.
TDiscPlan PlanDiscs(const TFillProblem& problem, const TExactImageSize& exactSize = {},
                    const TPlanProgress& progress = {}, const TPlanOptions& options = {});

} // namespace platterwise
