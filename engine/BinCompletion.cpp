// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinCompletion.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

namespace platterwise {
namespace {

constexpr std::size_t kChoicesPerBin = 30;
// Items looked at while listing one opener's ways.
constexpr std::int64_t kEnumerationSteps = 200'000;

class TCompletion {
public:
    TCompletion(std::span<const std::int64_t> weights, std::int64_t capacity, std::int64_t steps,
                const TCompletionLimits& limits)
        : weights_(weights)
        , capacity_(capacity)
        , stepLimit_(steps)
        , limits_(limits) {}

    // `order`: every item, equal weights next to each other. True with `bins` filled.
    bool Attempt(std::vector<std::size_t> order, std::int64_t budget, TBins& bins) {
        order_ = std::move(order);
        used_.assign(order_.size(), 0);
        left_ = order_.size();
        steps_ = 0;
        bins_.clear();
        if (!Place(budget)) {
            return false;
        }
        bins = std::move(bins_);
        return true;
    }

private:
    struct TChoice {
        std::vector<std::size_t> Positions; // into order_
        std::int64_t Slack = 0;
    };

    bool Place(std::int64_t budget) {
        if (left_ == 0) {
            return true;
        }
        if (++steps_ > stepLimit_) {
            return false;
        }
        if ((steps_ & 15) == 0 && (limits_.Stop.stop_requested() ||
                                   std::chrono::steady_clock::now() >= limits_.Deadline)) {
            steps_ = stepLimit_ + 1; // unwinds every level
            return false;
        }
        // The item with the fewest ways to complete its bin opens it (the largest on a tie):
        // one with none ends this branch at once. Candidates: the largest and smallest weights.
        minWeight_ = capacity_ + 1;
        for (std::size_t k = 0; k < order_.size(); ++k) {
            if (used_[k] == 0) {
                minWeight_ = std::min(minWeight_, weights_[order_[k]]);
            }
        }
        std::size_t opener = order_.size();
        bool openerCut = false; // its ways were cut short by the steps
        std::vector<TChoice> choices;
        for (std::size_t candidate : Candidates()) {
            Take(candidate, 1);
            std::vector<TChoice> ways;
            chosen_.clear();
            enumerated_ = 0;
            Enumerate(0, capacity_ - weights_[order_[candidate]], budget, ways);
            Take(candidate, 0);
            const bool cut = ways.empty() && enumerated_ > kEnumerationSteps;
            if (opener == order_.size() || openerCut || (ways.size() < choices.size() && !cut)) {
                openerCut = cut;
                opener = candidate;
                choices = std::move(ways);
            }
            if (choices.empty() && !cut) {
                return false; // no way at all, not just none within the steps
            }
        }
        Take(opener, 1);
        std::shuffle(choices.begin(), choices.end(), rng_);
        std::stable_sort(choices.begin(), choices.end(),
                         [](const TChoice& a, const TChoice& b) { return a.Slack < b.Slack; });
        for (const TChoice& choice : choices) {
            for (std::size_t k : choice.Positions) {
                Take(k, 1);
            }
            bins_.emplace_back();
            bins_.back().push_back(order_[opener]);
            for (std::size_t k : choice.Positions) {
                bins_.back().push_back(order_[k]);
            }
            if (Place(budget - choice.Slack)) {
                return true;
            }
            bins_.pop_back();
            for (std::size_t k : choice.Positions) {
                Take(k, 0);
            }
            if (steps_ > stepLimit_) {
                break;
            }
        }
        Take(opener, 0);
        return false;
    }

    // Positions of the three largest and the two smallest distinct weights left, largest first.
    std::vector<std::size_t> Candidates() const {
        std::vector<std::size_t> large;
        std::vector<std::size_t> small;
        auto keep = [&](std::vector<std::size_t>& top, std::size_t k, std::size_t count,
                        auto better) {
            for (std::size_t t : top) {
                if (weights_[order_[t]] == weights_[order_[k]]) {
                    return;
                }
            }
            top.push_back(k);
            std::sort(top.begin(), top.end(), [&](std::size_t a, std::size_t b) {
                return better(weights_[order_[a]], weights_[order_[b]]);
            });
            if (top.size() > count) {
                top.pop_back();
            }
        };
        for (std::size_t k = 0; k < order_.size(); ++k) {
            if (used_[k] == 0) {
                keep(large, k, 3, std::greater<>());
                keep(small, k, 2, std::less<>());
            }
        }
        for (std::size_t k : small) {
            if (std::find(large.begin(), large.end(), k) == large.end()) {
                large.push_back(k);
            }
        }
        return large;
    }

    void Take(std::size_t k, std::uint8_t used) {
        used_[k] = used;
        left_ = used != 0 ? left_ - 1 : left_ + 1;
    }

    // Sets of unused items from `from` on, added to chosen_, that leave at most `budget` of
    // `slack`; equal weights are tried once per level.
    void Enumerate(std::size_t from, std::int64_t slack, std::int64_t budget,
                   std::vector<TChoice>& choices) {
        if (slack <= budget) {
            choices.push_back({chosen_, slack});
        }
        std::int64_t tried = -1;
        for (std::size_t k = from; k < order_.size() && choices.size() < kChoicesPerBin; ++k) {
            if (++enumerated_ > kEnumerationSteps) {
                return;
            }
            const std::int64_t w = weights_[order_[k]];
            // A set that leaves more slack than allowed but too little for any item is a dead end.
            if (used_[k] != 0 || w > slack || w == tried ||
                (slack - w > budget && slack - w < minWeight_)) {
                continue;
            }
            tried = w;
            chosen_.push_back(k);
            Enumerate(k + 1, slack - w, budget, choices);
            chosen_.pop_back();
        }
    }

    std::span<const std::int64_t> weights_;
    std::int64_t capacity_;
    std::int64_t stepLimit_;
    const TCompletionLimits& limits_;
    std::mt19937_64 rng_{limits_.Seed};
    std::vector<std::size_t> order_;
    std::vector<std::uint8_t> used_;
    std::size_t left_ = 0;
    std::int64_t steps_ = 0;
    std::int64_t enumerated_ = 0;
    std::int64_t minWeight_ = 0; // of the unused items
    std::vector<std::size_t> chosen_;
    TBins bins_;
};

} // namespace

TBins CompleteBins(std::span<const std::int64_t> weights, std::int64_t capacity, std::int64_t bins,
                   const TCompletionLimits& limits) {
    const std::int64_t total = std::accumulate(weights.begin(), weights.end(), std::int64_t(0));
    if (bins <= 0 || total > bins * capacity) {
        return {};
    }
    std::vector<std::size_t> decreasing(weights.size());
    std::iota(decreasing.begin(), decreasing.end(), std::size_t(0));
    std::stable_sort(decreasing.begin(), decreasing.end(),
                     [&](std::size_t a, std::size_t b) { return weights[a] > weights[b]; });
    std::mt19937_64 rng(limits.Seed);
    // Short attempts, many of them: a wrong early choice is mended sooner by a fresh order than
    // by backtracking to it.
    TCompletion search(weights, capacity,
                       std::min(limits.StepsPerAttempt, 2 * std::int64_t(weights.size()) + 1'000),
                       limits);
    TBins found;
    for (int attempt = 0; attempt < limits.MaxAttempts && !limits.Stop.stop_requested() &&
                          std::chrono::steady_clock::now() < limits.Deadline;
         ++attempt) {
        std::vector<std::size_t> order = PerturbedOrder(weights, decreasing, attempt, 6, rng);
        if (search.Attempt(std::move(order), bins * capacity - total, found)) {
            return found;
        }
    }
    return {};
}

} // namespace platterwise
