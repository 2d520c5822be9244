#include "DiscPlan.h"

#include "BinPacking.h"
#include "Units.h"

#include <algorithm>

namespace platterwise {
namespace {

// The better of first-fit and best-fit decreasing over some items: how many discs it needs,
// and its first disc (positions into those items).
struct THeuristicPlan {
    std::size_t Count = 0;
    std::vector<std::size_t> FirstDisc;
};

THeuristicPlan Heuristic(const std::vector<std::int64_t>& weights, std::int64_t room) {
    if (weights.empty()) {
        return {};
    }
    const TBins ffd = FirstFitDecreasing(weights, room);
    const TBins bfd = BestFitDecreasing(weights, room);
    const TBins& better = bfd.size() < ffd.size() ? bfd : ffd;
    return {better.size(), better.front()};
}

std::vector<std::int64_t> WeightsOf(const std::vector<std::size_t>& positions,
                                    const std::vector<std::int64_t>& sectors) {
    std::vector<std::int64_t> w;
    w.reserve(positions.size());
    for (std::size_t p : positions) {
        w.push_back(sectors[p]);
    }
    return w;
}

std::vector<std::size_t> Pick(const std::vector<std::size_t>& positions,
                              const std::vector<std::size_t>& picks) {
    std::vector<std::size_t> out;
    out.reserve(picks.size());
    for (std::size_t k : picks) {
        out.push_back(positions[k]);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::size_t> Without(const std::vector<std::size_t>& positions,
                                 const std::vector<std::size_t>& picks) {
    std::vector<std::uint8_t> gone(positions.size(), 0);
    for (std::size_t k : picks) {
        gone[k] = 1;
    }
    std::vector<std::size_t> out;
    for (std::size_t k = 0; k < positions.size(); ++k) {
        if (gone[k] == 0) {
            out.push_back(positions[k]);
        }
    }
    return out;
}

} // namespace

TDiscPlan PlanDiscs(const TFillProblem& problem, const TExactImageSize& exactSize,
                    const TSubsetSumLimits& limits) {
    TDiscPlan plan;
    const std::int64_t capacity = problem.CapacitySectors;
    const std::int64_t room = SaturatingSub(capacity, problem.FixedSectors);
    std::vector<std::size_t> rest;
    for (std::size_t i = 0; i < problem.ItemSectors.size(); ++i) {
        (problem.ItemSectors[i] > room ? plan.TooLarge : rest).push_back(i);
    }
    if (rest.empty()) {
        return plan;
    }
    plan.LowerBound = BinPackingLowerBound(WeightsOf(rest, problem.ItemSectors), room);

    THeuristicPlan heuristic = Heuristic(WeightsOf(rest, problem.ItemSectors), room);
    while (!rest.empty()) {
        const TFillProblem left{WeightsOf(rest, problem.ItemSectors), problem.FixedSectors,
                                capacity};
        TExactImageSize leftSize;
        if (exactSize) {
            leftSize = [&](const std::vector<std::size_t>& chosen) {
                return exactSize(Pick(rest, chosen));
            };
        }
        const TFilledDisc fullest = FindFullestDisc(left, leftSize, limits);
        if (fullest.Status != TFillStatus::Filled) {
            plan.Unplaced = rest;
            break;
        }
        TPlannedDisc disc{Pick(rest, fullest.Chosen),
                          fullest.PlannedSectors,
                          fullest.VerifiedSectors,
                          fullest.Verified,
                          fullest.SpareSectors,
                          fullest.Proven,
                          fullest.Rounds};
        std::vector<std::size_t> after = Without(rest, fullest.Chosen);
        THeuristicPlan afterHeuristic = Heuristic(WeightsOf(after, problem.ItemSectors), room);

        // Filling this disc to the brim would cost a disc overall: take the heuristic's first
        // disc instead, whose rest the heuristic packs in one disc fewer.
        if (1 + afterHeuristic.Count > heuristic.Count) {
            TPlannedDisc bin{Pick(rest, heuristic.FirstDisc), problem.FixedSectors};
            for (std::size_t k : heuristic.FirstDisc) {
                bin.PlannedSectors += left.ItemSectors[k];
            }
            bin.Verified = bool(exactSize);
            bin.VerifiedSectors = bin.Verified ? exactSize(bin.Items) : bin.PlannedSectors;
            if (bin.VerifiedSectors <= capacity) {
                bin.SpareSectors = capacity - bin.VerifiedSectors;
                bin.Fullest = fullest.Proven && bin.PlannedSectors == fullest.PlannedSectors;
                disc = std::move(bin);
                after = Without(rest, heuristic.FirstDisc);
                afterHeuristic = Heuristic(WeightsOf(after, problem.ItemSectors), room);
            }
        }
        plan.Discs.push_back(std::move(disc));
        rest = std::move(after);
        heuristic = std::move(afterHeuristic);
    }
    return plan;
}

} // namespace platterwise
