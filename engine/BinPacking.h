// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Classic bin packing over sector counts: the lower bounds on the number of discs, and the
// two decreasing-order heuristics that the disc plan measures itself against.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platterwise {

// The number of bins of `capacity` that no packing of `weights` can go below: the larger of
// the total over the capacity rounded up and Martello and Toth's L2 bound (which counts the
// weights above half a bin one by one). 1 for weights that are all 0, 0 for none.
// REQUIRES: 0 < capacity; every weight from 0 to capacity; their sum within int64.
std::int64_t BinPackingLowerBound(std::span<const std::int64_t> weights, std::int64_t capacity);

// Bins as lists of positions into the weights, in the order they were opened.
using TBins = std::vector<std::vector<std::size_t>>;

// Largest weight first, each into the first bin it fits (ties in weight: lower position first).
// REQUIRES as for BinPackingLowerBound.
TBins FirstFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity);

// Largest weight first, each into the fullest bin it fits (ties: the bin opened first).
TBins BestFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity);

} // namespace platterwise
