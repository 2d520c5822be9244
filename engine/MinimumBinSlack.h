// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Minimum bin slack with the largest item fixed (Fleszar and Hindi's MBS'), repeated with
// perturbed orders (after Fleszar and Charalambous): bin by bin, the largest item left opens the
// bin and a bounded depth-first search picks the other items that leave the least slack, an
// exact fill ending the search. Filling each bin around its largest item solves instances whose
// bins are meant to be filled exactly, where filling the fullest bin of all the items does not.
//
// The first pass searches the items largest first; each further pass scales every distinct
// weight by a random factor for the order of that search (the capacity check uses the true
// weights), and the packing of fewest bins is kept. Deterministic for a seed and the same
// number of passes (a deadline can cut it at any pass).
#include "BinPacking.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <stop_token>

namespace platterwise {

struct TSlackLimits {
    std::int64_t LowerBound = 0; // stop on a packing of that many bins
    std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
    std::stop_token Stop;
    int MaxPasses = 1'000;
    std::int64_t NodesPerBin = 200'000; // items looked at for one bin before its best is taken
    std::uint64_t Seed = 1;
};

// The packing of fewest bins among the passes made: positions into the weights, every bin
// within the capacity. No bins when the deadline or the stop came before a pass was done.
// REQUIRES: 0 < capacity; every weight from 0 to capacity; their sum within int64.
TBins MinimumBinSlack(std::span<const std::int64_t> weights, std::int64_t capacity,
                      const TSlackLimits& limits);

} // namespace platterwise
