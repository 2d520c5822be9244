// SPDX-License-Identifier: GPL-3.0-or-later
#include "FullestDisc.h"

#include "Units.h"

#include <algorithm>
#include <set>

namespace platterwise {
namespace {

// How far below the capacity the planned size must stay in `round` (1-based), given the most
// that a measured set has so far exceeded its plan. A set that fails with the margin at least
// that excess must have exceeded it, so the excess grows with every failed round; after the
// fourth the margin doubles as well, to end within the round limit.
std::int64_t Margin(int round, std::int64_t maxExcess) {
    if (round <= 1) {
        return 0;
    }
    if (round <= 4) {
        return maxExcess;
    }
    const int doublings = std::min(round - 4, 40);
    return maxExcess > (std::int64_t(1) << (62 - doublings)) ? std::int64_t(1) << 62
                                                             : maxExcess << doublings;
}

} // namespace

namespace {

// The items of a fill problem that can go on the disc at all, and how to measure sets of them.
struct TFillSearch {
    const TFillProblem& Problem;
    const TExactImageSize& ExactSize;
    const TSubsetSumLimits& Limits;
    const std::stop_token& Stop;
    std::vector<std::size_t> Usable;
    std::vector<std::int64_t> Weights;

    // Searches within `capacity` (item sectors) and measures the set found into `disc`; false
    // when no item fits that capacity.
    bool Measure(std::int64_t capacity, TFilledDisc& disc, bool& proven) const {
        const TSubsetSumResult found = LargestSubsetSum(Weights, capacity, Limits, Stop);
        ++disc.Rounds;
        if (found.Chosen.empty() || Stop.stop_requested()) {
            return false;
        }
        disc.Chosen.clear();
        for (std::size_t k : found.Chosen) {
            disc.Chosen.push_back(Usable[k]);
        }
        disc.PlannedSectors = Problem.FixedSectors + found.Sum;
        disc.Verified = bool(ExactSize);
        disc.ImageSectors = disc.Verified ? ExactSize(disc.Chosen) : disc.PlannedSectors;
        disc.SpareSectors = Problem.CapacitySectors - disc.ImageSectors;
        proven = found.Proven;
        return true;
    }

    // `disc` measured within the capacity but below its plan: searches aiming each time at the
    // planned size that would have measured exactly full, had the plan over-counted by as much
    // as for the last set measured. Keeps the fullest set that measures within the disc.
    void Widen(TFilledDisc& disc) const {
        TFilledDisc last = disc;
        std::set<std::int64_t> tried;
        for (int round = 0; round < kMaxWidenRounds && disc.SpareSectors > 0; ++round) {
            const std::int64_t target =
                SaturatingAdd(last.PlannedSectors, Problem.CapacitySectors - last.ImageSectors);
            const std::int64_t capacity = SaturatingSub(target, Problem.FixedSectors);
            bool proven = false;
            if (capacity < 0 || !tried.insert(capacity).second ||
                !Measure(capacity, last, proven)) {
                break;
            }
            disc.Rounds = last.Rounds;
            if (last.SpareSectors >= 0 && last.SpareSectors < disc.SpareSectors) {
                const int rounds = disc.Rounds;
                disc = last;
                disc.Rounds = rounds;
                disc.Proven = disc.SpareSectors == 0;
            }
        }
    }
};

} // namespace

TFilledDisc FindFullestDisc(const TFillProblem& problem, const TExactImageSize& exactSize,
                            const TSubsetSumLimits& limits, const std::stop_token& stop) {
    TFilledDisc disc;
    const std::int64_t room = SaturatingSub(problem.CapacitySectors, problem.FixedSectors);
    TFillSearch search{problem, exactSize, limits, stop, {}, {}};
    for (std::size_t i = 0; i < problem.ItemSectors.size(); ++i) {
        if (problem.ItemSectors[i] > room) {
            disc.TooLarge.push_back(i);
        } else {
            search.Usable.push_back(i);
            search.Weights.push_back(problem.ItemSectors[i]);
        }
    }
    if (search.Usable.empty()) {
        return disc;
    }

    std::int64_t maxExcess = 0;
    for (int round = 1; round <= kMaxFillRounds; ++round) {
        const std::int64_t capacity = room - Margin(round, maxExcess);
        bool proven = false;
        if (capacity < 0 || !search.Measure(capacity, disc, proven)) {
            break; // even the smallest item is over the tightened capacity
        }
        if (disc.ImageSectors <= problem.CapacitySectors) {
            disc.Status = TFillStatus::Filled;
            disc.Proven = disc.SpareSectors == 0 || (round == 1 && proven);
            if (disc.SpareSectors > 0 && disc.ImageSectors < disc.PlannedSectors) {
                search.Widen(disc);
            }
            return disc;
        }
        maxExcess = std::max(maxExcess, disc.ImageSectors - disc.PlannedSectors);
    }
    // Tried honestly and found nothing that measures within the disc.
    disc.Status = TFillStatus::GaveUp;
    disc.Chosen.clear();
    disc.PlannedSectors = disc.ImageSectors = disc.SpareSectors = 0;
    disc.Verified = false;
    return disc;
}

} // namespace platterwise
