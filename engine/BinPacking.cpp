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

} // namespace

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

std::vector<std::size_t> PerturbedOrder(std::span<const std::int64_t> weights,
                                        const std::vector<std::size_t>& decreasing, int pass,
                                        int cycle, std::mt19937_64& rng) {
    std::vector<double> key(weights.size(), 0);
    const double spread = pass == 0 ? 0 : 0.05 + 0.05 * double(pass % cycle);
    std::uniform_real_distribution<double> factor(1 - spread, 1 + spread);
    double f = 1;
    for (std::size_t k = 0; k < decreasing.size(); ++k) {
        if (k == 0 || weights[decreasing[k]] != weights[decreasing[k - 1]]) {
            f = pass == 0 ? 1 : factor(rng);
        }
        key[decreasing[k]] = double(weights[decreasing[k]]) * f;
    }
    std::vector<std::size_t> order = decreasing;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return key[a] != key[b] ? key[a] > key[b] : weights[a] > weights[b];
    });
    return order;
}

} // namespace platterwise
