// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fewer bins from a given packing: a local search that empties one bin at a time. The emptiest
// bin's items go to a pool; exchanges of up to two pool items against up to two items of a bin
// that leave the pool lighter, and refills of two bins with the pool together (each bin the
// fullest subset of what the three hold), move the pool's weight into the bins' slack until the
// pool is empty, a bin fewer; tabu rules keep it from undoing its last exchanges. It stops at
// the lower bound, at the deadline or when asked to.
//
// The result never has more bins than the start, every bin within the capacity. Deterministic
// for a given seed and the same number of rounds (a deadline can cut it at any round).
#include "BinPacking.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <stop_token>

namespace platterwise {

struct TImproveLimits {
    std::int64_t LowerBound = 0; // no packing has fewer bins: stop on reaching it
    std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
    std::stop_token Stop;
    std::int64_t MaxRounds = 2'000'000; // exchanges tried at most, whatever the time
    std::uint64_t Seed = 1;
    // Told each time a packing of fewer bins is found, with its number of bins.
    std::function<void(std::size_t bins)> Fewer;
};

// `start` packs every weight once within `capacity`. Returns a packing with at most as many
// bins (positions into the weights; bin order and order within a bin unspecified).
// REQUIRES: 0 < capacity; every weight from 0 to capacity; their sum within int64.
TBins ImprovePacking(std::span<const std::int64_t> weights, std::int64_t capacity, TBins start,
                     const TImproveLimits& limits);

} // namespace platterwise
