#pragma once
// The fewest discs: every item of a selection on exactly one disc, items whole. Disc 1 is the
// fullest disc possible and each next disc as full as what is left allows. Should that need
// more discs than first-fit or best-fit decreasing, the plan is made again, and wherever a
// fullest disc would cost a disc more than the heuristics need for the rest, that disc is the
// heuristic's first instead. So the plan never needs more discs than either heuristic. Every
// disc is measured through the exact size, as FindFullestDisc does.
//
// Data only: what to tell the user is built from the plan elsewhere.
#include "FullestDisc.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <vector>

namespace platterwise {

struct TPlannedDisc {
    std::vector<std::size_t> Items;   // positions in the caller's item list, ascending
    std::int64_t PlannedSectors = 0;  // FixedSectors + the items' planned sectors
    std::int64_t VerifiedSectors = 0; // the exact size when Verified, else PlannedSectors
    bool Verified = false;
    std::int64_t SpareSectors = 0; // CapacitySectors - VerifiedSectors, never negative
    bool Fullest = false;          // as full as the items left for it allow (planned sizes)
    int Rounds = 0;                // searches made for this disc (0 for a heuristic's bin)
};

struct TDiscPlan {
    std::vector<TPlannedDisc> Discs;   // disc 1 first
    std::vector<std::size_t> TooLarge; // items that alone, with the fixed cost, pass a disc
    // Items no disc took: the plan was stopped, or every set with them measured over the
    // capacity (the exact size kept exceeding the plan). Ascending.
    std::vector<std::size_t> Unplaced;
    bool Stopped = false; // stopped through the stop token
    // No plan of the items that fit needs fewer discs (planned sizes). Discs.size() equal to
    // it proves the plan minimal.
    std::int64_t LowerBound = 0;
};

// Told after each disc how many discs the plan holds and how many items are still to place.
// A plan made again (see above) counts from the start.
using TPlanProgress = std::function<void(std::size_t discs, std::size_t itemsLeft)>;

// The plan for every item of `problem`. Without `exactSize` the planned sizes are taken as the
// real ones. `stop` is checked within each disc's search and between discs: once it is
// requested the plan ends Stopped, the discs found so far kept and the rest Unplaced.
// REQUIRES: the item sectors sum within int64.
TDiscPlan PlanDiscs(const TFillProblem& problem, const TExactImageSize& exactSize = {},
                    const TPlanProgress& progress = {}, const TSubsetSumLimits& limits = {},
                    const std::stop_token& stop = {});

} // namespace platterwise
