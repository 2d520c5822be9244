// SPDX-License-Identifier: GPL-3.0-or-later
#include "MinimumBinSlack.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace platterwise {
namespace {

// One pass: the items in search order, bins made one after another.
class TSlackPass {
public:
    TSlackPass(std::span<const std::int64_t> weights, std::int64_t capacity,
               const TSlackLimits& limits)
        : weights_(weights)
        , capacity_(capacity)
        , limits_(limits) {}

    // `order` lists every item, equal weights next to each other. Gives up (empty result) as
    // soon as the bins made and the weight left cannot beat `beat` bins.
    TBins Pack(std::vector<std::size_t> order, std::size_t beat) {
        rest_ = std::move(order);
        std::int64_t left = 0;
        for (std::size_t i : rest_) {
            left += weights_[i];
        }
        TBins bins;
        while (!rest_.empty()) {
            if (limits_.Stop.stop_requested() ||
                std::chrono::steady_clock::now() >= limits_.Deadline) {
                return {};
            }
            if (bins.size() + std::size_t((left + capacity_ - 1) / capacity_) >= beat) {
                return {};
            }
            std::size_t opener = 0;
            for (std::size_t k = 1; k < rest_.size(); ++k) {
                if (weights_[rest_[k]] > weights_[rest_[opener]]) {
                    opener = k;
                }
            }
            const std::size_t first = rest_[opener];
            rest_.erase(rest_.begin() + std::ptrdiff_t(opener));
            minWeight_ = capacity_ + 1;
            for (std::size_t i : rest_) {
                minWeight_ = std::min(minWeight_, weights_[i]);
            }
            chosen_.clear();
            best_.clear();
            bestSlack_ = capacity_ - weights_[first];
            nodes_ = 0;
            Search(0, bestSlack_);
            std::vector<std::size_t> bin{first};
            left -= weights_[first];
            std::vector<std::uint8_t> taken(rest_.size(), 0);
            for (std::size_t k : best_) {
                taken[k] = 1;
                bin.push_back(rest_[k]);
                left -= weights_[rest_[k]];
            }
            std::size_t kept = 0;
            for (std::size_t k = 0; k < rest_.size(); ++k) {
                if (taken[k] == 0) {
                    rest_[kept++] = rest_[k];
                }
            }
            rest_.resize(kept);
            bins.push_back(std::move(bin));
        }
        return bins;
    }

private:
    // Items from `from` on into `slack`; equal weights are tried once per level.
    void Search(std::size_t from, std::int64_t slack) {
        if (slack < bestSlack_ || (slack == bestSlack_ && chosen_.size() > best_.size())) {
            bestSlack_ = slack;
            best_ = chosen_;
        }
        std::int64_t tried = -1;
        for (std::size_t k = from; k < rest_.size() && bestSlack_ > 0 && slack >= minWeight_; ++k) {
            if (++nodes_ > limits_.NodesPerBin) {
                return;
            }
            const std::int64_t w = weights_[rest_[k]];
            if (w > slack || w == tried) {
                continue;
            }
            tried = w;
            chosen_.push_back(k);
            Search(k + 1, slack - w);
            chosen_.pop_back();
        }
    }

    std::span<const std::int64_t> weights_;
    std::int64_t capacity_;
    const TSlackLimits& limits_;
    std::vector<std::size_t> rest_;
    std::vector<std::size_t> chosen_;
    std::vector<std::size_t> best_;
    std::int64_t bestSlack_ = 0;
    std::int64_t minWeight_ = 0;
    std::int64_t nodes_ = 0;
};

} // namespace

TBins MinimumBinSlack(std::span<const std::int64_t> weights, std::int64_t capacity,
                      const TSlackLimits& limits) {
    std::vector<std::size_t> decreasing(weights.size());
    std::iota(decreasing.begin(), decreasing.end(), std::size_t(0));
    std::stable_sort(decreasing.begin(), decreasing.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    std::mt19937_64 rng(limits.Seed);
    TSlackPass pass(weights, capacity, limits);
    TBins best = pass.Pack(decreasing, weights.size() + 2);
    for (int p = 1;
         p < limits.MaxPasses &&
         std::int64_t(best.size()) > std::max<std::int64_t>(limits.LowerBound, 1) &&
         !limits.Stop.stop_requested() && std::chrono::steady_clock::now() < limits.Deadline;
         ++p) {
        TBins bins = pass.Pack(PerturbedOrder(weights, decreasing, p, 8, rng), best.size());
        if (!bins.empty()) {
            best = std::move(bins);
        }
    }
    return best;
}

} // namespace platterwise
