// SPDX-License-Identifier: GPL-3.0-or-later
// Meet in the middle: every subset sum of each half, in order, then one pass that pairs each
// sum of the first half with the largest sum of the second that still fits.
#include "SubsetSum.h"

#include <algorithm>
#include <cassert>

namespace platterwise {
namespace {

struct THalfSum {
    std::int64_t Sum;
    std::uint32_t Mask; // bit k: the k-th usable weight of the half
};

// All subset sums of `weights` up to `capacity`, ascending, each with its subset. Adding one
// weight merges the list with a shifted copy of itself, so no sort is needed.
// Stops adding weights once `stop` is requested (the sums are then of the first few only).
std::vector<THalfSum> SortedSums(const std::vector<std::int64_t>& weights, std::int64_t capacity,
                                 const std::stop_token& stop) {
    std::vector<THalfSum> sums{{0, 0}};
    std::vector<THalfSum> shifted;
    std::vector<THalfSum> merged;
    for (std::size_t k = 0; k < weights.size() && !stop.stop_requested(); ++k) {
        shifted.clear();
        for (const THalfSum& s : sums) {
            if (s.Sum > capacity - weights[k]) {
                break;
            }
            shifted.push_back({s.Sum + weights[k], s.Mask | (std::uint32_t(1) << k)});
        }
        merged.resize(sums.size() + shifted.size());
        std::merge(sums.begin(), sums.end(), shifted.begin(), shifted.end(), merged.begin(),
                   [](const THalfSum& a, const THalfSum& b) { return a.Sum < b.Sum; });
        sums.swap(merged);
    }
    return sums;
}

} // namespace

TSubsetSumResult SubsetSumByHalves(std::span<const std::int64_t> weights, std::int64_t capacity,
                                   const std::stop_token& stop) {
    TSubsetSumResult result;
    result.Proven = true;
    std::vector<std::size_t> usable;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] > 0 && weights[i] <= capacity) {
            usable.push_back(i);
        }
    }
    assert(usable.size() <= 40);
    const std::size_t half = usable.size() / 2;
    std::vector<std::int64_t> low;
    std::vector<std::int64_t> high;
    for (std::size_t k = 0; k < usable.size(); ++k) {
        (k < half ? low : high).push_back(weights[usable[k]]);
    }
    const std::vector<THalfSum> a = SortedSums(low, capacity, stop);
    const std::vector<THalfSum> b = SortedSums(high, capacity, stop);
    result.Proven = !stop.stop_requested();

    // a ascending, b descending: the partner of a larger `a` sum is never larger.
    std::int64_t best = -1;
    std::uint32_t bestA = 0;
    std::uint32_t bestB = 0;
    std::size_t j = b.size();
    for (const THalfSum& x : a) {
        while (j > 0 && x.Sum > capacity - b[j - 1].Sum) {
            --j;
        }
        if (j == 0) {
            break;
        }
        if (x.Sum + b[j - 1].Sum > best) {
            best = x.Sum + b[j - 1].Sum;
            bestA = x.Mask;
            bestB = b[j - 1].Mask;
            if (best == capacity) {
                break;
            }
        }
    }
    result.Sum = std::max<std::int64_t>(best, 0);
    for (std::size_t k = 0; k < low.size(); ++k) {
        if ((bestA >> k) & 1) {
            result.Chosen.push_back(usable[k]);
        }
    }
    for (std::size_t k = 0; k < high.size(); ++k) {
        if ((bestB >> k) & 1) {
            result.Chosen.push_back(usable[half + k]);
        }
    }
    return result;
}

} // namespace platterwise
