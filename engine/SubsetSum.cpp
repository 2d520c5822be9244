#include "SubsetSum.h"

#include <algorithm>
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

// Solves exactly into `out` with the method that the limits allow and that costs least;
// false, leaving `out` alone, when neither method fits the limits.
bool SolveExactly(std::span<const std::int64_t> weights, std::int64_t capacity,
                  const TSubsetSumLimits& limits, TSubsetSumResult& out) {
    const double table = TableWork(weights.size(), capacity);
    const bool tableFits = capacity <= limits.TableSums && table <= double(limits.TableWork);
    const bool halvesFit = weights.size() <= limits.MeetInTheMiddleWeights;
    if (halvesFit && (!tableFits || HalvesWork(weights.size()) < table)) {
        out = SubsetSumByHalves(weights, capacity);
        return true;
    }
    if (tableFits) {
        out = SubsetSumByTable(weights, capacity);
        return true;
    }
    return false;
}

// Beyond the limits: fill greedily, largest first, then give the smallest of the chosen back,
// together with every unchosen weight that can still fit, to the exact table over the residual
// capacity, as large a residual as the limits allow. Never worse than the greedy fill.
TSubsetSumResult ReducedSearch(std::span<const std::int64_t> weights, std::int64_t capacity,
                               const TSubsetSumLimits& limits) {
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    std::vector<std::uint8_t> taken(weights.size(), 0);
    std::int64_t sum = 0;
    for (std::size_t k : order) {
        if (weights[k] <= capacity - sum) {
            taken[k] = 1;
            sum += weights[k];
        }
    }
    TSubsetSumResult result;
    if (sum == capacity) {
        for (std::size_t k = 0; k < weights.size(); ++k) {
            if (taken[k] != 0) {
                result.Chosen.push_back(k);
            }
        }
        result.Sum = sum;
        result.Proven = true;
        return result;
    }

    const std::int64_t budget = std::max<std::int64_t>(
        1, std::min<std::int64_t>(limits.TableSums, std::int64_t(double(limits.TableWork) * 64.0 /
                                                                 double(weights.size()))));
    std::int64_t residual = capacity - sum;
    std::vector<std::uint8_t> released(weights.size(), 0);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if (taken[*it] == 0) {
            continue;
        }
        if (weights[*it] > budget - residual) {
            break;
        }
        released[*it] = 1;
        residual += weights[*it];
    }

    std::vector<std::size_t> pool;
    std::vector<std::int64_t> poolWeights;
    std::int64_t kept = 0;
    for (std::size_t k = 0; k < weights.size(); ++k) {
        if (taken[k] != 0 && released[k] == 0) {
            result.Chosen.push_back(k);
            kept += weights[k];
        } else if (weights[k] <= residual) {
            pool.push_back(k);
            poolWeights.push_back(weights[k]);
        }
    }
    TSubsetSumResult sub;
    if (!SolveExactly(poolWeights, residual, limits, sub)) {
        sub = SubsetSumByTable(poolWeights, residual); // within the budget by construction
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

} // namespace

TSubsetSumResult LargestSubsetSum(std::span<const std::int64_t> weights, std::int64_t capacity,
                                  const TSubsetSumLimits& limits) {
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
            divisor = std::gcd(divisor, weights[i]);
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
    const std::int64_t scaledCapacity = capacity / divisor;
    TSubsetSumResult found;
    if (!SolveExactly(scaled, scaledCapacity, limits, found)) {
        found = ReducedSearch(scaled, scaledCapacity, limits);
    }
    for (std::size_t k : found.Chosen) {
        result.Chosen.push_back(usable[k]);
    }
    std::sort(result.Chosen.begin(), result.Chosen.end());
    result.Sum = found.Sum * divisor;
    result.Proven = found.Proven || found.Sum == scaledCapacity;
    return result;
}

} // namespace platterwise
