// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Brute force and seeded instances for the exact fill searches: the answers they must match.
#include <cstddef>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace platterwise::testing {

// The largest sum of a subset of `weights` within `capacity` (-1 when even the empty subset
// is over it). REQUIRES: weights.size() <= 20.
inline std::int64_t BruteLargestSum(std::span<const std::int64_t> weights, std::int64_t capacity) {
    std::int64_t best = -1;
    for (std::uint32_t mask = 0; mask < (std::uint32_t(1) << weights.size()); ++mask) {
        std::int64_t sum = 0;
        for (std::size_t k = 0; k < weights.size(); ++k) {
            if ((mask >> k) & 1) {
                sum += weights[k];
            }
        }
        if (sum <= capacity && sum > best) {
            best = sum;
        }
    }
    return best;
}

// The sum of the weights at `chosen`, or -1 when `chosen` is not strictly ascending and within
// range: one check for "a valid subset" and its sum.
inline std::int64_t SumAt(std::span<const std::int64_t> weights,
                          const std::vector<std::size_t>& chosen) {
    std::int64_t sum = 0;
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        if (chosen[k] >= weights.size() || (k > 0 && chosen[k] <= chosen[k - 1])) {
            return -1;
        }
        sum += weights[chosen[k]];
    }
    return sum;
}

// A small instance: up to `maxItems` weights mixing zeros, duplicates, a common factor and
// weights larger than a typical capacity.
inline std::vector<std::int64_t> SmallWeights(std::mt19937_64& rng, std::size_t maxItems) {
    const std::size_t n = std::uniform_int_distribution<std::size_t>(0, maxItems)(rng);
    const std::int64_t factor = std::uniform_int_distribution<std::int64_t>(1, 3)(rng);
    std::vector<std::int64_t> pool;
    for (int k = 0; k < 5; ++k) {
        pool.push_back(std::uniform_int_distribution<std::int64_t>(1, 60)(rng) * factor);
    }
    std::vector<std::int64_t> w;
    for (std::size_t k = 0; k < n; ++k) {
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        if (kind == 0) {
            w.push_back(0);
        } else if (kind <= 3) {
            w.push_back(pool[std::size_t(kind)]); // duplicates
        } else {
            w.push_back(std::uniform_int_distribution<std::int64_t>(1, 80)(rng) * factor);
        }
    }
    return w;
}

} // namespace platterwise::testing
