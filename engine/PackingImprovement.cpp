// SPDX-License-Identifier: GPL-3.0-or-later
#include "PackingImprovement.h"

#include "SubsetSum.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace platterwise {
namespace {

// One attempt at a packing of one bin fewer: `Bins` with the pool's items on none of them.
class TBinElimination {
public:
    TBinElimination(std::span<const std::int64_t> weights, std::int64_t capacity,
                    const TImproveLimits& limits, std::mt19937_64& rng)
        : weights_(weights)
        , capacity_(capacity)
        , limits_(limits)
        , rng_(rng)
        , tabuBin_(weights.size(), kNoBin)
        , tabuUntil_(weights.size(), 0) {}

    // Empties the least loaded bin of `bins` into the pool and searches until the pool is
    // empty (true: `bins` then holds the packing of one bin fewer) or `rounds` run out.
    bool Run(TBins& bins, std::int64_t& rounds) {
        bins_ = bins;
        load_.assign(bins_.size(), 0);
        for (std::size_t b = 0; b < bins_.size(); ++b) {
            for (std::size_t i : bins_[b]) {
                load_[b] += weights_[i];
            }
        }
        const auto emptiest =
            std::size_t(std::min_element(load_.begin(), load_.end()) - load_.begin());
        pool_ = std::move(bins_[emptiest]);
        poolWeight_ = load_[emptiest];
        bins_.erase(bins_.begin() + std::ptrdiff_t(emptiest));
        load_.erase(load_.begin() + std::ptrdiff_t(emptiest));
        std::fill(tabuUntil_.begin(), tabuUntil_.end(), 0);

        const std::int64_t stall =
            std::max<std::int64_t>(20'000, 200 * std::int64_t(weights_.size()));
        std::int64_t sinceBetter = 0;
        std::int64_t bestPool = poolWeight_;
        while (rounds < limits_.MaxRounds && sinceBetter < stall) {
            if ((rounds & 63) == 0 && Interrupted()) {
                return false;
            }
            ++rounds;
            ++round_;
            InsertDirectly();
            if (pool_.empty()) {
                bins = std::move(bins_);
                return true;
            }
            // The best exchange when it lightens the pool; else a refill when that does;
            // else the best exchange all the same, which tabu keeps from being undone.
            TMove move = BestExchange();
            if (move.Bin == kNoBin || move.Gain <= 0) {
                const TRefill refill = Refill();
                if (refill == TRefill::Lighter) {
                    continue;
                }
                if (refill == TRefill::Kept) {
                    move = BestExchange();
                }
            }
            if (move.Bin != kNoBin) {
                Apply(move);
            }
            if (poolWeight_ < bestPool) {
                bestPool = poolWeight_;
                sinceBetter = 0;
            } else {
                ++sinceBetter;
            }
        }
        return false;
    }

    bool Interrupted() const {
        return limits_.Stop.stop_requested() ||
               std::chrono::steady_clock::now() >= limits_.Deadline;
    }

private:
    static constexpr std::size_t kNoBin = std::size_t(-1);

    bool Tabu(std::size_t item, std::size_t bin) const {
        return tabuBin_[item] == bin && tabuUntil_[item] > round_;
    }

    void ToPool(std::size_t item, std::size_t bin) {
        pool_.push_back(item);
        poolWeight_ += weights_[item];
        MakeTabu(item, bin);
    }

    // For a while, `item` may neither enter nor leave `bin`.
    void MakeTabu(std::size_t item, std::size_t bin) {
        tabuBin_[item] = bin;
        tabuUntil_[item] = round_ + 3 + std::int64_t(rng_() % 8);
    }

    void FromPool(std::size_t poolPos, std::size_t bin) {
        const std::size_t item = pool_[poolPos];
        bins_[bin].push_back(item);
        load_[bin] += weights_[item];
        poolWeight_ -= weights_[item];
        pool_.erase(pool_.begin() + std::ptrdiff_t(poolPos));
    }

    // Each pool item, largest first, into the bin it leaves least room in.
    void InsertDirectly() {
        std::sort(pool_.begin(), pool_.end(),
                  [&](std::size_t a, std::size_t b) { return weights_[a] > weights_[b]; });
        for (std::size_t p = 0; p < pool_.size();) {
            const std::int64_t w = weights_[pool_[p]];
            std::size_t best = kNoBin;
            for (std::size_t b = 0; b < bins_.size(); ++b) {
                if (load_[b] + w <= capacity_ && !Tabu(pool_[p], b) &&
                    (best == kNoBin || load_[b] > load_[best])) {
                    best = b;
                }
            }
            if (best == kNoBin) {
                ++p;
            } else {
                FromPool(p, best);
            }
        }
    }

    // Up to two items of one part, as positions into it; Second == First for a single.
    struct TPick {
        std::size_t First = 0;
        std::size_t Second = 0;
    };

    static std::vector<TPick> Picks(std::size_t n) {
        std::vector<TPick> picks;
        for (std::size_t a = 0; a < n; ++a) {
            picks.push_back({a, a});
            for (std::size_t b = a + 1; b < n; ++b) {
                picks.push_back({a, b});
            }
        }
        return picks;
    }

    template <typename Items>
    std::int64_t WeightOf(const Items& items, TPick pick) const {
        return weights_[items[pick.First]] +
               (pick.Second == pick.First ? 0 : weights_[items[pick.Second]]);
    }

    // Whether exchanging `in` for `out` would leave the pool's weights as they are.
    bool SameWeights(TPick in, TPick out, const std::vector<std::size_t>& bin) const {
        const bool inPair = in.Second != in.First;
        const bool outPair = out.Second != out.First;
        if (inPair != outPair) {
            return false;
        }
        const std::int64_t a = weights_[pool_[in.First]];
        const std::int64_t c = weights_[bin[out.First]];
        return inPair ? (a == c || a == weights_[bin[out.Second]]) : a == c;
    }

    struct TMove {
        std::size_t Bin = kNoBin;
        TPick In;              // into the bin, from the pool
        TPick Out;             // out of the bin, into the pool
        std::int64_t Gain = 0; // weight that leaves the pool; may be negative
    };

    // The exchange of up to two pool items against up to two items of one bin that moves the
    // most weight out of the pool (ties at random) among those tabu allows and that change the
    // pool's weights; Bin is kNoBin when there is none.
    TMove BestExchange() {
        const std::vector<TPick> poolPicks = Picks(pool_.size());
        TMove best;
        std::uint64_t ties = 0;
        for (std::size_t b = 0; b < bins_.size(); ++b) {
            const std::vector<std::size_t>& bin = bins_[b];
            const std::vector<TPick> binPicks = Picks(bin.size());
            for (const TPick& in : poolPicks) {
                const std::int64_t inWeight = WeightOf(pool_, in);
                if (Tabu(pool_[in.First], b) || Tabu(pool_[in.Second], b)) {
                    continue;
                }
                for (const TPick& out : binPicks) {
                    const std::int64_t gain = inWeight - WeightOf(bin, out);
                    if ((best.Bin != kNoBin && gain < best.Gain) || load_[b] + gain > capacity_ ||
                        Tabu(bin[out.First], b) || Tabu(bin[out.Second], b) ||
                        (gain == 0 && SameWeights(in, out, bin))) {
                        continue;
                    }
                    ties = best.Bin == kNoBin || gain > best.Gain ? 1 : ties + 1;
                    if (ties == 1 || rng_() % ties == 0) {
                        best = {b, in, out, gain};
                    }
                }
            }
        }
        return best;
    }

    void Apply(const TMove& move) {
        std::vector<std::size_t>& bin = bins_[move.Bin];
        const std::size_t in1 = pool_[move.In.First];
        const std::size_t in2 = pool_[move.In.Second];
        const std::size_t out1 = bin[move.Out.First];
        const std::size_t out2 = bin[move.Out.Second];
        std::erase(pool_, in1);
        std::erase(pool_, in2);
        poolWeight_ -= weights_[in1] + (in2 == in1 ? 0 : weights_[in2]);
        std::erase(bin, out1);
        std::erase(bin, out2);
        load_[move.Bin] += move.Gain;
        for (std::size_t item : {in1, in2}) {
            if (std::find(bin.begin(), bin.end(), item) == bin.end()) {
                bin.push_back(item);
                MakeTabu(item, move.Bin);
            }
        }
        ToPool(out1, move.Bin);
        if (out2 != out1) {
            ToPool(out2, move.Bin);
        }
    }

    // Two bins at random and the pool: the first bin gets the fullest subset of all three, the
    // second the fullest of the rest, the pool what is left. Kept unless the pool got heavier,
    // so it also walks across packings of an equal pool.
    enum class TRefill : std::uint8_t { Rejected, Kept, Lighter };
    TRefill Refill() {
        if (bins_.size() < 2) {
            return TRefill::Rejected;
        }
        // Full bins have no slack to give: at least one bin with some, often more.
        std::vector<std::size_t> slack;
        for (std::size_t k = 0; k < bins_.size(); ++k) {
            if (load_[k] < capacity_) {
                slack.push_back(k);
            }
        }
        if (slack.empty()) {
            return TRefill::Rejected;
        }
        std::vector<std::size_t> picked{slack[rng_() % slack.size()]};
        const std::size_t count = bins_.size() > 2 && rng_() % 2 == 0 ? 3 : 2;
        while (picked.size() < count) {
            const std::size_t b = slack.size() > count && rng_() % 2 == 0
                                      ? slack[rng_() % slack.size()]
                                      : std::size_t(rng_() % bins_.size());
            if (std::find(picked.begin(), picked.end(), b) == picked.end()) {
                picked.push_back(b);
            }
        }
        std::vector<std::size_t> left = pool_;
        std::int64_t fullestBefore = 0;
        for (std::size_t b : picked) {
            left.insert(left.end(), bins_[b].begin(), bins_[b].end());
            fullestBefore = std::max(fullestBefore, load_[b]);
        }
        std::shuffle(left.begin(), left.end(), rng_);
        std::vector<std::vector<std::size_t>> filled(count);
        for (std::vector<std::size_t>& bin : filled) {
            left = Fullest(left, bin);
        }
        std::int64_t leftWeight = 0;
        for (std::size_t i : left) {
            leftWeight += weights_[i];
        }
        std::int64_t firstLoad = 0;
        for (std::size_t i : filled.front()) {
            firstLoad += weights_[i];
        }
        // An equal pool is kept only for a fuller bin, gathering the slack where pool items
        // can go; without that rule the walk undoes what the exchanges build.
        if (leftWeight > poolWeight_ || (leftWeight == poolWeight_ && firstLoad <= fullestBefore)) {
            return TRefill::Rejected;
        }
        const TRefill kept = leftWeight < poolWeight_ ? TRefill::Lighter : TRefill::Kept;
        for (std::size_t i : left) {
            tabuBin_[i] = kNoBin;
        }
        for (std::size_t k = 0; k < count; ++k) {
            bins_[picked[k]] = std::move(filled[k]);
            load_[picked[k]] = 0;
            for (std::size_t i : bins_[picked[k]]) {
                load_[picked[k]] += weights_[i];
            }
        }
        pool_ = std::move(left);
        poolWeight_ = leftWeight;
        return kept;
    }

    // Moves the fullest subset of `items` within the capacity into `chosen`; returns the rest.
    std::vector<std::size_t> Fullest(const std::vector<std::size_t>& items,
                                     std::vector<std::size_t>& chosen) const {
        std::vector<std::int64_t> w;
        w.reserve(items.size());
        for (std::size_t i : items) {
            w.push_back(weights_[i]);
        }
        const TSubsetSumResult found = LargestSubsetSum(w, capacity_);
        std::vector<std::uint8_t> taken(items.size(), 0);
        for (std::size_t k : found.Chosen) {
            taken[k] = 1;
            chosen.push_back(items[k]);
        }
        std::vector<std::size_t> rest;
        for (std::size_t k = 0; k < items.size(); ++k) {
            if (taken[k] == 0) {
                rest.push_back(items[k]);
            }
        }
        return rest;
    }

    std::span<const std::int64_t> weights_;
    std::int64_t capacity_;
    const TImproveLimits& limits_;
    std::mt19937_64& rng_;
    TBins bins_;
    std::vector<std::int64_t> load_;
    std::vector<std::size_t> pool_;
    std::int64_t poolWeight_ = 0;
    std::vector<std::size_t> tabuBin_;
    std::vector<std::int64_t> tabuUntil_;
    std::int64_t round_ = 0;
};

} // namespace

TBins ImprovePacking(std::span<const std::int64_t> weights, std::int64_t capacity, TBins start,
                     const TImproveLimits& limits) {
    std::erase_if(start, [](const std::vector<std::size_t>& bin) { return bin.empty(); });
    std::mt19937_64 rng(limits.Seed);
    TBinElimination search(weights, capacity, limits, rng);
    std::int64_t rounds = 0;
    while (std::int64_t(start.size()) > std::max<std::int64_t>(limits.LowerBound, 1) &&
           rounds < limits.MaxRounds && !search.Interrupted()) {
        TBins fewer = start;
        if (!search.Run(fewer, rounds)) {
            break;
        }
        start = std::move(fewer);
        if (limits.Fewer) {
            limits.Fewer(start.size());
        }
    }
    return start;
}

} // namespace platterwise
