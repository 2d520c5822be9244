// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Classic bin packing over sector counts: the two decreasing-order heuristics that the disc
// plan measures itself against, and (BinPackingBound.h) the lower bounds.
#include "BinPackingBound.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace platterwise {

// Bins as lists of positions into the weights, in the order they were opened.
using TBins = std::vector<std::vector<std::size_t>>;

// Largest weight first, each into the first bin it fits (ties in weight: lower position first).
// REQUIRES: 0 < capacity; every weight from 0 to capacity.
TBins FirstFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity);

// Largest weight first, each into the fullest bin it fits (ties: the bin opened first).
TBins BestFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity);

// The positions `decreasing` (by weight, largest first) reordered by each weight scaled by a
// factor drawn per distinct weight, so equal weights stay together: pass 0 keeps the order;
// later passes spread the factors by 5% to 5% * `cycle` and start again. For the searches that
// retry a packing in a slightly different order.
std::vector<std::size_t> PerturbedOrder(std::span<const std::int64_t> weights,
                                        const std::vector<std::size_t>& decreasing, int pass,
                                        int cycle, std::mt19937_64& rng);

} // namespace platterwise
