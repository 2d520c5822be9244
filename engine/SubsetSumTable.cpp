// SPDX-License-Identifier: GPL-3.0-or-later
// The exact table: bit s of `reach` says that some subset of the weights seen so far sums to
// s; `first[s]` is the pass that set that bit. Since s less that pass's weight was reachable
// before it, following `first` down from any reachable sum reads back a subset of distinct
// passes. Equal weights share passes: c copies of w pass as w, 2w, 4w, ... and the rest,
// whose subsets make every count from 0 to c, so a set of few distinct sizes costs a few
// passes per size instead of one per item.
#include "SubsetSum.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace platterwise {
namespace {

// One pass of the table: `Count` copies of one weight, the items at Items[From, From + Count).
struct TPass {
    std::int64_t Weight;
    std::size_t From;
    std::size_t Count;
};

// A table this many words wide, or narrower, makes one pass a weight: finding the copies
// (sorting the weights, where they come unsorted) would cost it more than their passes. Wider
// than that, a pass costs more than a weight's share of the sort: 2,800 weights of 17 sizes
// in the quick fill's 65,536 sums made 2,800 passes where 140 do.
constexpr std::int64_t kWordsPassedOneByOne = 16;

// The passes for `weights` within `capacity`, smallest first, and the items they stand for.
// Weights of 0 or above the capacity, and copies beyond what fits, are left out.
std::vector<TPass> Passes(std::span<const std::int64_t> weights, std::int64_t capacity,
                          std::vector<std::size_t>& items) {
    std::vector<TPass> passes;
    items.clear();
    if (capacity / 64 < kWordsPassedOneByOne) {
        for (std::size_t i = 0; i < weights.size(); ++i) {
            if (weights[i] > 0 && weights[i] <= capacity) {
                passes.push_back({weights[i], items.size(), 1});
                items.push_back(i);
            }
        }
        return passes;
    }
    // By size, smallest first (as the callers give them, so usually no sort), equal sizes
    // side by side.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] > 0 && weights[i] <= capacity) {
            order.push_back(i);
        }
    }
    const auto lighter = [&](std::size_t a, std::size_t b) { return weights[a] < weights[b]; };
    if (!std::is_sorted(order.begin(), order.end(), lighter)) {
        std::stable_sort(order.begin(), order.end(), lighter);
    }
    for (std::size_t from = 0; from < order.size();) {
        const std::int64_t w = weights[order[from]];
        std::size_t to = from;
        while (to < order.size() && weights[order[to]] == w) {
            ++to;
        }
        std::size_t left = std::min<std::size_t>(to - from, std::size_t(capacity / w));
        for (std::size_t count = 1, at = from; left > 0; count *= 2) {
            const std::size_t take = std::min(count, left);
            passes.push_back({w * std::int64_t(take), items.size(), take});
            items.insert(items.end(), order.begin() + std::ptrdiff_t(at),
                         order.begin() + std::ptrdiff_t(at + take));
            at += take;
            left -= take;
        }
        from = to;
    }
    return passes;
}

// `Index` holds a pass: 8 or 16 bits where the passes are few enough, since the table's
// memory, touched page by page, costs as much time as its passes.
template <typename Index>
TSubsetSumResult Table(const std::vector<TPass>& passes, const std::vector<std::size_t>& items,
                       std::int64_t capacity, const std::stop_token& stop) {
    TSubsetSumResult result;
    result.Proven = true;
    const std::size_t top = std::size_t(capacity);
    const std::size_t lastWord = top / 64;
    const std::uint64_t lastMask = ~std::uint64_t(0) >> (63 - top % 64);
    std::vector<std::uint64_t> reach(lastWord + 1, 0);
    reach[0] = 1;
    // Left uninitialised: an entry is written when its sum is first reached and read only for
    // reachable sums, so pages of sums never reached are never touched.
    const auto first = std::make_unique_for_overwrite<Index[]>(top + 1);

    std::size_t reachable = 0; // the largest sum the weights so far could reach, held at top
    for (std::size_t i = 0; i < passes.size(); ++i) {
        const std::int64_t w = passes[i].Weight;
        if (stop.stop_requested()) {
            result.Proven = false; // the sums reached so far still read back a subset
            break;
        }
        const std::size_t shift = std::size_t(w);
        const std::size_t q = shift / 64;
        const unsigned r = unsigned(shift % 64);
        reachable = std::min(top, reachable + shift);
        // From the top down, so every word read is still the one from before this pass.
        for (std::size_t j = reachable / 64 + 1; j-- > q;) {
            std::uint64_t moved = reach[j - q] << r;
            if (r != 0 && j > q) {
                moved |= reach[j - q - 1] >> (64 - r);
            }
            if (j == lastWord) {
                moved &= lastMask;
            }
            std::uint64_t fresh = moved & ~reach[j];
            if (fresh == 0) {
                continue;
            }
            reach[j] |= fresh;
            for (; fresh != 0; fresh &= fresh - 1) {
                first[j * 64 + std::size_t(std::countr_zero(fresh))] = Index(i);
            }
        }
        if ((reach[lastWord] >> (top % 64)) & 1) {
            break; // the capacity itself is reached: nothing can beat it
        }
    }

    std::size_t best = top;
    for (std::size_t j = lastWord + 1; j-- > 0;) {
        if (reach[j] != 0) {
            best = j * 64 + 63 - std::size_t(std::countl_zero(reach[j]));
            break;
        }
    }
    result.Sum = std::int64_t(best);
    for (std::size_t s = best; s != 0;) {
        const TPass& pass = passes[first[s]];
        result.Chosen.insert(result.Chosen.end(), items.begin() + std::ptrdiff_t(pass.From),
                             items.begin() + std::ptrdiff_t(pass.From + pass.Count));
        s -= std::size_t(pass.Weight);
    }
    std::sort(result.Chosen.begin(), result.Chosen.end());
    return result;
}

} // namespace

TSubsetSumResult SubsetSumByTable(std::span<const std::int64_t> weights, std::int64_t capacity,
                                  const std::stop_token& stop) {
    if (capacity <= 0) {
        TSubsetSumResult none;
        none.Proven = true;
        return none;
    }
    std::vector<std::size_t> items;
    const std::vector<TPass> passes = Passes(weights, capacity, items);
    if (passes.size() <= 0xFF) {
        return Table<std::uint8_t>(passes, items, capacity, stop);
    }
    return passes.size() <= 0xFFFF ? Table<std::uint16_t>(passes, items, capacity, stop)
                                   : Table<std::uint32_t>(passes, items, capacity, stop);
}

} // namespace platterwise
