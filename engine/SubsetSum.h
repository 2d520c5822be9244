// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The largest sum of a subset of non-negative weights that does not pass a capacity: the core
// of the fullest disc. Two exact methods and one that stays within fixed limits:
//  - a table over every sum from 0 to the capacity (a bitset of reachable sums, plus the item
//    that first reached each sum, so the subset can be read back), stopping as soon as the
//    capacity itself is reached;
//  - meet in the middle for few weights, whatever the capacity;
//  - beyond the table's limits, a greedy fill whose smallest items, together with every other
//    item that can still fit, are handed back to the exact table over the residual capacity.
// LargestSubsetSum chooses among them. Whatever the number of weights, it first tries the last
// method with a small residual, which with many weights nearly always meets the capacity exactly
// (and so proves itself) in a few passes; the others are exposed for tests and benchmarks.
// Where the capacity cannot be met (the weights' count that fits, or their common remainder
// modulo some m, rule it out), it searches up to the largest sum those allow instead, and a
// set that meets that bound has proved itself as well. In the table, equal weights share passes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stop_token>
#include <vector>

namespace platterwise {

struct TSubsetSumResult {
    std::vector<std::size_t> Chosen; // positions into the weights, ascending
    std::int64_t Sum = 0;            // sum of the chosen weights, never above the capacity
    bool Proven = false;             // no subset has a larger sum within the capacity
};

// What the exact table may spend. The table needs 2 bytes (4 beyond 65,535 weights) and 1 bit
// per sum up to the capacity, and passes over (capacity / 64) words once per weight; the work
// counts weights x words, at roughly a nanosecond per word.
struct TSubsetSumLimits {
    std::int64_t TableSums = std::int64_t(1) << 24; // 16.8 million sums: 36 MB (69 MB)
    std::int64_t TableWork = 1'500'000'000;         // weights x 64-bit words
    std::size_t MeetInTheMiddleWeights = 40;        // 2 x 2^20 subset sums at most (~50 MB)
};

// The largest subset sum within `capacity`, exact whenever the limits allow (Proven), else
// the best the reduced search found (Proven still when it fills the capacity exactly).
// Weights of 0 are always chosen; weights above the capacity never are. Weights must not be
// negative, nor sum beyond int64. A negative capacity gives an empty result.
// `stop` is checked once per pass of the table and once per weight of the halves: once it is
// requested the search ends within milliseconds with a valid subset that is not Proven.
TSubsetSumResult LargestSubsetSum(std::span<const std::int64_t> weights, std::int64_t capacity,
                                  const TSubsetSumLimits& limits = {},
                                  const std::stop_token& stop = {});

// The table over all sums. REQUIRES: 0 <= capacity, and capacity + 1 sums fit in memory.
// Weights of 0 or above the capacity are left out. Proven unless stopped.
TSubsetSumResult SubsetSumByTable(std::span<const std::int64_t> weights, std::int64_t capacity,
                                  const std::stop_token& stop = {});

// Meet in the middle. REQUIRES: weights.size() <= 40, 0 <= capacity. Weights of 0 or above
// the capacity are left out. Proven unless stopped. Memory: every subset sum of each half
// within the capacity, 16 bytes each; while the second half's are made, the first half's, the
// second's so far, their shifted half and the merge are held: for 40 weights 2^20 sums a half,
// 2.5 x 2^20 at once plus the first half's, about 56 MB at most.
TSubsetSumResult SubsetSumByHalves(std::span<const std::int64_t> weights, std::int64_t capacity,
                                   const std::stop_token& stop = {});

} // namespace platterwise
