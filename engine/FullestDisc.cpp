#include "FullestDisc.h"

#include "Units.h"

#include <algorithm>

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

TFilledDisc FindFullestDisc(const TFillProblem& problem, const TExactImageSize& exactSize,
                            const TSubsetSumLimits& limits) {
    TFilledDisc disc;
    const std::int64_t room = SaturatingSub(problem.CapacitySectors, problem.FixedSectors);
    std::vector<std::size_t> usable;
    std::vector<std::int64_t> weights;
    for (std::size_t i = 0; i < problem.ItemSectors.size(); ++i) {
        if (problem.ItemSectors[i] > room) {
            disc.TooLarge.push_back(i);
        } else {
            usable.push_back(i);
            weights.push_back(problem.ItemSectors[i]);
        }
    }
    if (usable.empty()) {
        return disc;
    }

    std::int64_t maxExcess = 0;
    for (int round = 1; round <= kMaxFillRounds; ++round) {
        const std::int64_t capacity = room - Margin(round, maxExcess);
        if (capacity < 0) {
            break;
        }
        const TSubsetSumResult found = LargestSubsetSum(weights, capacity, limits);
        disc.Rounds = round;
        if (found.Chosen.empty()) {
            break; // even the smallest item is over the tightened capacity
        }
        disc.Chosen.clear();
        for (std::size_t k : found.Chosen) {
            disc.Chosen.push_back(usable[k]);
        }
        disc.PlannedSectors = problem.FixedSectors + found.Sum;
        disc.Verified = bool(exactSize);
        disc.VerifiedSectors = disc.Verified ? exactSize(disc.Chosen) : disc.PlannedSectors;
        if (disc.VerifiedSectors <= problem.CapacitySectors) {
            disc.Status = TFillStatus::Filled;
            disc.SpareSectors = problem.CapacitySectors - disc.VerifiedSectors;
            disc.Proven = disc.SpareSectors == 0 || (round == 1 && found.Proven);
            return disc;
        }
        maxExcess = std::max(maxExcess, disc.VerifiedSectors - disc.PlannedSectors);
    }
    // Tried honestly and found nothing that measures within the disc.
    disc.Status = TFillStatus::GaveUp;
    disc.Chosen.clear();
    disc.PlannedSectors = disc.VerifiedSectors = disc.SpareSectors = 0;
    disc.Verified = false;
    return disc;
}

} // namespace platterwise
