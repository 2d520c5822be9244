// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinPacking.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <set>
#include <utility>

namespace platterwise {
namespace {

std::vector<std::size_t> DecreasingOrder(std::span<const std::int64_t> weights) {
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    // Callers that pack again and again keep their weights in this order already.
    if (!std::is_sorted(weights.begin(), weights.end(), std::greater<>())) {
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    }
    return order;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return a <= 0 ? 0 : (a - 1) / b + 1;
}

// Martello and Toth's L2: for a threshold k up to half a bin, every weight above c - k needs a
// bin of its own, every weight above c/2 too, and the weights from k to c/2 fill what those
// leave free before they need more.
std::int64_t MartelloTothL2(std::vector<std::int64_t> w, std::int64_t c) {
    std::sort(w.begin(), w.end());
    std::vector<std::int64_t> prefix(w.size() + 1, 0);
    for (std::size_t i = 0; i < w.size(); ++i) {
        prefix[i + 1] = prefix[i] + w[i];
    }
    // Positions in ascending order: [lo, hi) holds the weights w with a <= w < b.
    auto below = [&](std::int64_t bound) {
        return std::size_t(std::lower_bound(w.begin(), w.end(), bound) - w.begin());
    };
    const std::size_t aboveHalf =
        std::size_t(std::upper_bound(w.begin(), w.end(), c / 2) - w.begin()); // first w with 2w > c
    std::int64_t best = 0;
    std::vector<std::int64_t> thresholds{0};
    for (std::int64_t x : w) {
        if (2 * x <= c && x != thresholds.back()) {
            thresholds.push_back(x);
        }
    }
    for (std::int64_t k : thresholds) {
        const std::size_t firstBig =
            std::size_t(std::upper_bound(w.begin(), w.end(), c - k) - w.begin()); // w > c - k
        const std::int64_t j1 = std::int64_t(w.size() - firstBig);
        const std::int64_t j2 = std::int64_t(firstBig - aboveHalf);
        const std::int64_t j2Free = j2 * c - (prefix[firstBig] - prefix[aboveHalf]);
        const std::size_t fromK = below(k);
        const std::int64_t j3Sum = prefix[aboveHalf] - prefix[std::min(fromK, aboveHalf)];
        best = std::max(best, j1 + j2 + CeilDiv(j3Sum - j2Free, c));
    }
    return best;
}

} // namespace

std::int64_t BinPackingLowerBound(std::span<const std::int64_t> weights, std::int64_t capacity) {
    if (weights.empty()) {
        return 0;
    }
    if (capacity <= 0) {
        return 1; // only weights of 0 fit a bin of no room, and all of them fit one
    }
    const std::int64_t total = std::accumulate(weights.begin(), weights.end(), std::int64_t(0));
    const std::int64_t l2 =
        MartelloTothL2(std::vector<std::int64_t>(weights.begin(), weights.end()), capacity);
    return std::max({std::int64_t(1), CeilDiv(total, capacity), l2});
}

TBins FirstFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity) {
    // A tournament tree over the bins' free space finds the first bin with room in log time.
    std::size_t leaves = 1;
    while (leaves < std::max<std::size_t>(weights.size(), 1)) {
        leaves *= 2;
    }
    std::vector<std::int64_t> tree(2 * leaves, capacity);
    TBins bins;
    for (std::size_t i : DecreasingOrder(weights)) {
        std::size_t node = 1;
        while (node < leaves) {
            node = tree[2 * node] >= weights[i] ? 2 * node : 2 * node + 1;
        }
        const std::size_t bin = node - leaves;
        if (bin == bins.size()) {
            bins.emplace_back();
        }
        bins[bin].push_back(i);
        for (tree[node] -= weights[i]; node > 1; node /= 2) {
            tree[node / 2] = std::max(tree[node], tree[node ^ 1]);
        }
    }
    return bins;
}

TBins BestFitDecreasing(std::span<const std::int64_t> weights, std::int64_t capacity) {
    std::set<std::pair<std::int64_t, std::size_t>> open; // free space, bin
    TBins bins;
    for (std::size_t i : DecreasingOrder(weights)) {
        auto it = open.lower_bound({weights[i], 0});
        std::size_t bin = bins.size();
        std::int64_t space = capacity;
        if (it != open.end()) {
            bin = it->second;
            space = it->first;
            open.erase(it);
        } else {
            bins.emplace_back();
        }
        bins[bin].push_back(i);
        open.insert({space - weights[i], bin});
    }
    return bins;
}

} // namespace platterwise
