// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscFillSearch.h"

#include "IntConvert.h"
#include "Units.h"

#include <algorithm>
#include <optional>

namespace platterwise {

TSearchResult SearchDiscFill(std::vector<TSelectionItem>& items, std::int64_t total,
                             const TSearchSettings& settings, TRandom& rng) {
    TSearchResult r;
    const std::size_t n = items.size();
    // The drawn flags live in a dense array while the search runs: the worst case draws
    // about n ln n times per variant, and the flags then stay in the first-level cache.
    std::vector<std::uint8_t> drawn(n, 0);
    std::size_t drawnCount = 0;
    std::int64_t sum = 0;
    const std::int64_t target = MbToBytes(settings.TargetMb);
    std::optional<std::int32_t> deviation;
    std::optional<std::int32_t> samples;

    auto finish = [&](TSearchOutcome outcome) {
        r.Outcome = outcome;
        for (std::size_t i = 0; i < n; ++i) {
            items[i].Drawn = drawn[i] != 0;
        }
        return r;
    };

    while (sum < target) {
        // Every variant reaches a decision by the time all items are drawn, so a full set
        // here means the caller's total does not match the items.
        if (drawnCount == n) {
            return finish(soNoResult);
        }
        std::size_t pick;
        do {
            std::uint32_t k;
            do {
                k = rng.Random(std::uint32_t(n) + 1);
            } while (k == 0);
            pick = k - 1;
        } while (drawn[pick]);
        drawn[pick] = 1;
        ++drawnCount;
        ++r.Draws;
        sum = SaturatingAdd(sum, items[pick].Size);

        if (!deviation) {
            deviation = TryStrToInt(settings.DeviationText);
            if (!deviation) {
                return finish(soBadInput);
            }
            // 64-bit, so deviations beyond 2147 Mb give the window they say.
            const std::int64_t d = MbToBytes(*deviation);
            r.LowerEdge = SaturatingSub(target, d);
            r.UpperEdge = settings.BothDirections ? SaturatingAdd(target, d) : target;
        }

        if (sum >= r.LowerEdge) {
            ++r.Variants;
            if (sum > r.UpperEdge) {
                sum = 0;
                std::fill(drawn.begin(), drawn.end(), 0);
                drawnCount = 0;
            } else {
                r.Sum = sum;
                for (TItemKind kind : {ikFolder, ikFile}) {
                    for (std::size_t i = 0; i < n; ++i) {
                        if (drawn[i] && items[i].Kind == kind) {
                            r.Chosen.push_back(i);
                        }
                    }
                }
                return finish(soFound);
            }
        }

        r.TooSmall = r.LowerEdge > total;

        if (!samples) {
            samples = TryStrToInt(settings.SamplesText);
            if (!samples) {
                return finish(soBadInput);
            }
        }
        if (r.Variants >= *samples) {
            r.SampleLimitReached = true;
            return finish(r.TooSmall ? soTooSmall : soSampleLimit);
        }
        if (r.TooSmall) {
            return finish(soTooSmall);
        }
    }
    return finish(soNoResult);
}

} // namespace platterwise
