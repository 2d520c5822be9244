// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubsetSum.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace platterwise {
namespace {

// Rough costs in the table's unit (one 64-bit word of one pass), to pick the cheaper method.
double TableWork(std::size_t weights, std::int64_t capacity) {
    return double(weights) * double(capacity / 64 + 1);
}

double HalvesWork(std::size_t weights) {
    return 8.0 * double(std::uint64_t(1) << ((weights + 1) / 2));
}

// What a first, quick try may spend before the full table: with many weights the capacity is
// nearly always met exactly, and a small residual table finds such a fill in a few passes.
// When it does not, it has cost a few milliseconds at most.
constexpr double kQuickWork = 8'000'000;
constexpr std::int64_t kQuickSums = std::int64_t(1) << 18;
// The narrower residual tried first: many weights meet it exactly as surely, at a quarter of
// the sums (a plan of 100,000 files makes a thousand such tries).
constexpr std::int64_t kNarrowQuickSums = std::int64_t(1) << 16;

// Solves exactly into `out` with the method that the limits allow and that costs least;
// false, leaving `out` alone, when neither method fits the limits.
bool SolveExactly(std::span<const std::int64_t> weights, std::int64_t capacity,
                  const TSubsetSumLimits& limits, const std::stop_token& stop,
                  TSubsetSumResult& out) {
    const double table = TableWork(weights.size(), capacity);
    const bool tableFits = capacity <= limits.TableSums && table <= double(limits.TableWork);
    const bool halvesFit = weights.size() <= limits.MeetInTheMiddleWeights;
    if (halvesFit && (!tableFits || HalvesWork(weights.size()) < table)) {
        out = SubsetSumByHalves(weights, capacity, stop);
        return true;
    }
    if (tableFits) {
        out = SubsetSumByTable(weights, capacity, stop);
        return true;
    }
    return false;
}

// Fills greedily, largest first, then gives the smallest of the chosen back, together with
// every unchosen weight that can still fit, to the exact table over the residual capacity, a
// residual of at most `residualSums`. Never worse than the greedy fill. REQUIRES:
// residualSums within limits.TableSums (the residual table is built even beyond TableWork,
// which the callers keep it within).
TSubsetSumResult GreedyThenTable(std::span<const std::int64_t> weights, std::int64_t capacity,
                                 std::int64_t residualSums, const TSubsetSumLimits& limits,
                                 const std::stop_token& stop) {
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    if (!std::is_sorted(weights.begin(), weights.end(), std::greater<>())) {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    }
    std::vector<std::uint8_t> taken(weights.size(), 0);
    std::int64_t sum = 0;
    for (std::size_t k : order) {
        if (weights[k] <= capacity - sum) {
            taken[k] = 1;
            sum += weights[k];
        }
    }
    std::int64_t residual = capacity - sum;
    std::vector<std::uint8_t> released(weights.size(), 0);
    for (auto it = order.rbegin(); it != order.rend() && residual < capacity; ++it) {
        if (taken[*it] == 0) {
            continue;
        }
        if (weights[*it] > residualSums - residual) {
            break;
        }
        released[*it] = 1;
        residual += weights[*it];
    }

    TSubsetSumResult result;
    std::vector<std::size_t> pool;
    std::vector<std::int64_t> poolWeights;
    std::int64_t kept = 0;
    // Smallest first: small weights fill the residual's sums densely within a few passes, so
    // the table meets the residual exactly, and stops, early.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const std::size_t k = *it;
        if (taken[k] != 0 && released[k] == 0) {
            result.Chosen.push_back(k);
            kept += weights[k];
        } else if (weights[k] <= residual) {
            pool.push_back(k);
            poolWeights.push_back(weights[k]);
        }
    }
    TSubsetSumResult sub;
    if (residual > 0 && !SolveExactly(poolWeights, residual, limits, stop, sub)) {
        sub = SubsetSumByTable(poolWeights, residual, stop);
    }
    for (std::size_t k : sub.Chosen) {
        result.Chosen.push_back(pool[k]);
    }
    std::sort(result.Chosen.begin(), result.Chosen.end());
    result.Sum = kept + sub.Sum;
    // Proven when the residual was the whole problem, or when nothing can beat a full disc.
    result.Proven = result.Sum == capacity || (kept == 0 && residual == capacity && sub.Proven);
    return result;
}

// A bound on the largest subset sum within `capacity`, from what is known without a search: t
// weights sum at least to the t smallest and at most to the t largest, and when every weight
// leaves one remainder r modulo some m (the common divisor of their differences), to t r
// modulo m. A search that meets it has proved itself, so weights that can never meet the
// capacity exactly (too large to come within a few sectors of it, or all alike modulo m) need
// not cover every sum. REQUIRES: weights positive, each within the capacity.
std::int64_t ReachableBound(std::span<const std::int64_t> weights, std::int64_t capacity) {
    const std::int64_t lightest = *std::min_element(weights.begin(), weights.end());
    std::int64_t modulus = 0;
    for (std::size_t k = 0; k < weights.size() && modulus != 1; ++k) {
        modulus = std::gcd(modulus, weights[k] - lightest);
    }
    const std::int64_t remainder = modulus == 0 ? 0 : lightest % modulus;
    // No more than `most` weights fit: only that many of the smallest and of the largest
    // count, and picking them costs little when they are few.
    const std::size_t most = std::min(weights.size(), std::size_t(capacity / lightest));
    std::vector<std::int64_t> small(weights.begin(), weights.end());
    std::vector<std::int64_t> large(weights.begin(), weights.end());
    const auto cut = std::ptrdiff_t(most);
    std::nth_element(small.begin(), small.begin() + cut - 1, small.end());
    std::sort(small.begin(), small.begin() + cut);
    std::nth_element(large.begin(), large.begin() + cut - 1, large.end(), std::greater<>());
    std::sort(large.begin(), large.begin() + cut, std::greater<>());
    std::int64_t bound = 0;
    std::int64_t smallest = 0;
    std::int64_t largest = 0;
    for (std::size_t t = 1; t <= most; ++t) {
        smallest += small[t - 1];
        largest += large[t - 1];
        if (smallest > capacity) {
            break;
        }
        const std::int64_t top = std::min(capacity, largest);
        std::int64_t reach = top;
        if (modulus == 0) {
            reach = smallest; // all weights alike: t of them sum to exactly that
        } else if (modulus > 1) {
            const std::int64_t wanted = std::int64_t((__int128(t) * remainder) % modulus);
            reach = top - ((top - wanted) % modulus + modulus) % modulus;
        }
        if (reach >= smallest) {
            bound = std::max(bound, reach);
        }
        if (bound == capacity) {
            break;
        }
    }
    return bound;
}

TSubsetSumResult Solve(std::span<const std::int64_t> weights, std::int64_t capacity,
                       const TSubsetSumLimits& limits, const std::stop_token& stop) {
    const std::size_t n = weights.size();
    const std::int64_t sums = std::clamp<std::int64_t>(std::int64_t(kQuickWork * 64.0 / double(n)),
                                                       1, std::min(kQuickSums, limits.TableSums));
    // Worth it where the whole table would be larger (its memory costs as much as its passes),
    // and for few weights too: meet in the middle over 40 of them costs seconds, while a fill
    // that meets the capacity exactly needs no proof beyond itself.
    if (capacity > sums) {
        if (sums > kNarrowQuickSums) {
            TSubsetSumResult narrow =
                GreedyThenTable(weights, capacity, kNarrowQuickSums, limits, stop);
            if (narrow.Sum == capacity || stop.stop_requested()) {
                return narrow;
            }
        }
        TSubsetSumResult quick = GreedyThenTable(weights, capacity, sums, limits, stop);
        if (quick.Sum == capacity || stop.stop_requested()) {
            return quick;
        }
    }
    const std::int64_t residual = std::clamp<std::int64_t>(
        std::int64_t(double(limits.TableWork) * 64.0 / double(n)), 1, limits.TableSums);
    // Meet in the middle over many weights takes seconds where the widest residual table
    // takes milliseconds; that table's fill is taken when it meets the capacity exactly.
    const bool tableFits =
        capacity <= limits.TableSums && TableWork(n, capacity) <= double(limits.TableWork);
    if (!tableFits && n > 24 && n <= limits.MeetInTheMiddleWeights && capacity > residual) {
        TSubsetSumResult wide = GreedyThenTable(weights, capacity, residual, limits, stop);
        if (wide.Sum == capacity || stop.stop_requested()) {
            return wide;
        }
    }
    // Smallest first, as in GreedyThenTable: the early passes then cover few sums, and the
    // capacity is met (which ends the table) after fewer passes.
    std::vector<std::size_t> ascending(n);
    std::iota(ascending.begin(), ascending.end(), std::size_t(0));
    std::stable_sort(ascending.begin(), ascending.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] < weights[b]; });
    std::vector<std::int64_t> sorted(n);
    for (std::size_t k = 0; k < n; ++k) {
        sorted[k] = weights[ascending[k]];
    }
    TSubsetSumResult exact;
    if (SolveExactly(sorted, capacity, limits, stop, exact)) {
        for (std::size_t& k : exact.Chosen) {
            k = ascending[k];
        }
        std::sort(exact.Chosen.begin(), exact.Chosen.end());
        return exact;
    }
    return GreedyThenTable(weights, capacity, residual, limits, stop);
}

} // namespace

TSubsetSumResult LargestSubsetSum(std::span<const std::int64_t> weights, std::int64_t capacity,
                                  const TSubsetSumLimits& limits, const std::stop_token& stop) {
    TSubsetSumResult result;
    result.Proven = true;
    if (capacity < 0) {
        return result;
    }
    std::vector<std::size_t> usable;
    std::int64_t total = 0;
    std::int64_t divisor = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] == 0) {
            result.Chosen.push_back(i); // free: always on the disc
        } else if (weights[i] <= capacity) {
            usable.push_back(i);
            total += weights[i];
            divisor = divisor == 1 ? 1 : std::gcd(divisor, weights[i]); // 1 stays 1: spare the gcd
        }
    }
    if (total <= capacity) {
        result.Chosen.insert(result.Chosen.end(), usable.begin(), usable.end());
        std::sort(result.Chosen.begin(), result.Chosen.end());
        result.Sum = total;
        return result;
    }
    // Every subset sum is a multiple of the weights' common divisor: dividing it out shrinks
    // the table, and shows at once when the capacity itself cannot be reached.
    std::vector<std::int64_t> scaled(usable.size());
    for (std::size_t k = 0; k < usable.size(); ++k) {
        scaled[k] = weights[usable[k]] / divisor;
    }
    const std::int64_t scaledCapacity = ReachableBound(scaled, capacity / divisor);
    const TSubsetSumResult found = Solve(scaled, scaledCapacity, limits, stop);
    for (std::size_t k : found.Chosen) {
        result.Chosen.push_back(usable[k]);
    }
    std::sort(result.Chosen.begin(), result.Chosen.end());
    result.Sum = found.Sum * divisor;
    result.Proven = found.Sum == scaledCapacity || (found.Proven && !stop.stop_requested());
    return result;
}

} // namespace platterwise
