// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscPlan.h"

#include "BinCompletion.h"
#include "BinPacking.h"
#include "MinimumBinSlack.h"
#include "PackingImprovement.h"
#include "Units.h"

#include <algorithm>
#include <map>
#include <numeric>

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
    const std::int64_t total = std::accumulate(weights.begin(), weights.end(), std::int64_t(0));
    if (room <= 0 || std::int64_t(ffd.size()) <= (total + room - 1) / room) {
        return {ffd.size(), ffd.front()}; // nothing packs tighter than the total allows
    }
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

// The items at `picks` (positions into `positions`), in the order of the picks.
std::vector<std::size_t> PickInOrder(const std::vector<std::size_t>& positions,
                                     const std::vector<std::size_t>& picks) {
    std::vector<std::size_t> out;
    out.reserve(picks.size());
    for (std::size_t k : picks) {
        out.push_back(positions[k]);
    }
    return out;
}

// The same, ascending.
std::vector<std::size_t> Pick(const std::vector<std::size_t>& positions,
                              const std::vector<std::size_t>& picks) {
    std::vector<std::size_t> out = PickInOrder(positions, picks);
    std::sort(out.begin(), out.end());
    return out;
}

// Removes the entries at `picks` (positions into it) from `positions`, keeping the order. In
// place: a plan of 100,000 files removes a disc's items 800 times.
void RemovePicks(std::vector<std::size_t>& positions, std::vector<std::size_t> picks) {
    std::sort(picks.begin(), picks.end());
    std::size_t kept = 0;
    auto pick = picks.begin();
    for (std::size_t k = 0; k < positions.size(); ++k) {
        if (pick != picks.end() && *pick == k) {
            ++pick;
        } else {
            positions[kept++] = positions[k];
        }
    }
    positions.resize(kept);
}

// The discs for `rest` (positions, largest item first), each the fullest disc of what is
// left; with `guarded`, a disc that would cost a disc more than the heuristics need for the
// rest is the heuristic's first disc instead, so the count never exceeds theirs.
struct TPlanner {
    const TFillProblem& Problem;
    const TExactImageSize& ExactSize;
    const TPlanProgress& Progress;
    const TSubsetSumLimits& Limits;
    const std::stop_token& Stop;
    std::int64_t Room;

    TPlannedDisc Measured(std::vector<std::size_t> items) const {
        std::sort(items.begin(), items.end());
        TPlannedDisc disc{std::move(items), Problem.FixedSectors};
        for (std::size_t i : disc.Items) {
            disc.PlannedSectors += Problem.ItemSectors[i];
        }
        disc.Verified = bool(ExactSize);
        disc.ImageSectors = disc.Verified ? ExactSize(disc.Items) : disc.PlannedSectors;
        disc.SpareSectors = Problem.CapacitySectors - disc.ImageSectors;
        return disc;
    }

    TPlannedDisc HeuristicDisc(const std::vector<std::size_t>& rest,
                               const std::vector<std::size_t>& picks) const {
        return Measured(Pick(rest, picks));
    }

    // The fullest disc of the items at `picks` (positions into `rest`; all of them when
    // empty), its first search aimed `aim` sectors beyond the room. Its Chosen are positions
    // into `rest`.
    TFilledDisc FullestOf(const std::vector<std::size_t>& rest,
                          const std::vector<std::size_t>& picks, std::int64_t aim) const {
        const std::vector<std::size_t> items = picks.empty() ? rest : PickInOrder(rest, picks);
        const TFillProblem left{WeightsOf(items, Problem.ItemSectors), Problem.FixedSectors - aim,
                                Problem.CapacitySectors};
        TExactImageSize leftSize;
        if (ExactSize) {
            leftSize = [&](const std::vector<std::size_t>& chosen) {
                return ExactSize(Pick(items, chosen));
            };
        }
        TFilledDisc fullest = FindFullestDisc(left, leftSize, Limits, Stop);
        fullest.PlannedSectors += aim;
        if (!picks.empty()) {
            for (std::size_t& k : fullest.Chosen) {
                k = picks[k];
            }
        }
        return fullest;
    }

    // The fullest disc of `rest` (largest item first). A disc measured full from some of the
    // items is as full as any from all of them, so the largest items, as many as fill a few
    // discs, are searched first with as many of the others; the whole remainder only when
    // that disc leaves sectors spare. Searching all of it for every disc made the plan grow
    // with the square of the items. The plan over-counts discs alike (each item's share of the
    // shared structures is rounded up), so the first search aims at once where the last disc,
    // `overCount` sectors over its plan, measured full, instead of widening to it each time.
    TFilledDisc Fullest(const std::vector<std::size_t>& rest, std::int64_t overCount) const {
        constexpr std::size_t kFewest = 256;
        constexpr std::int64_t kDiscs = 3;
        std::vector<std::size_t> picks;
        std::int64_t sum = 0;
        for (std::size_t k = 0; k < rest.size() && (picks.size() < kFewest || sum / kDiscs < Room);
             ++k) {
            picks.push_back(k);
            sum += Problem.ItemSectors[rest[k]];
        }
        // As many again spread evenly over the smaller items, down to the smallest: sizes
        // that differ fill the last sectors sooner than the smallest alone, which are alike.
        const std::size_t large = picks.size();
        if (rest.size() > 2 * large) {
            const std::size_t others = rest.size() - large;
            for (std::size_t k = large; k-- > 0;) {
                picks.push_back(rest.size() - 1 - k * others / large);
            }
        }
        if (picks.size() * 2 > rest.size()) {
            return FullestOf(rest, {}, overCount);
        }
        TFilledDisc part = FullestOf(rest, picks, overCount);
        if ((part.Status == TFillStatus::Filled && part.SpareSectors == 0) ||
            Stop.stop_requested()) {
            return part;
        }
        TFilledDisc whole = FullestOf(rest, {}, 0);
        whole.Rounds += part.Rounds;
        return whole;
    }

    void Fill(std::vector<std::size_t> rest, bool guarded, TDiscPlan& plan) const {
        THeuristicPlan heuristic;
        if (guarded) {
            heuristic = Heuristic(WeightsOf(rest, Problem.ItemSectors), Room);
        }
        std::int64_t overCount = 0;
        while (!rest.empty()) {
            const TFilledDisc fullest = Fullest(rest, overCount);
            if (Stop.stop_requested()) {
                plan.Stopped = true;
                LeaveUnplaced(rest, plan);
                return;
            }
            if (fullest.Status != TFillStatus::Filled) {
                LeaveUnplaced(rest, plan);
                return;
            }
            TPlannedDisc disc{Pick(rest, fullest.Chosen),
                              fullest.PlannedSectors,
                              fullest.ImageSectors,
                              fullest.Verified,
                              fullest.SpareSectors,
                              false,
                              fullest.Rounds};
            std::vector<std::size_t> taken = fullest.Chosen;
            std::vector<std::size_t> after; // the rest once the disc is taken, when guarded
            if (guarded) {
                after = rest;
                RemovePicks(after, taken);
                THeuristicPlan afterHeuristic =
                    Heuristic(WeightsOf(after, Problem.ItemSectors), Room);
                if (1 + afterHeuristic.Count > heuristic.Count) {
                    TPlannedDisc bin = HeuristicDisc(rest, heuristic.FirstDisc);
                    if (bin.ImageSectors <= Problem.CapacitySectors) {
                        disc = std::move(bin);
                        taken = heuristic.FirstDisc;
                        after = rest;
                        RemovePicks(after, taken);
                        afterHeuristic = Heuristic(WeightsOf(after, Problem.ItemSectors), Room);
                    }
                }
                heuristic = std::move(afterHeuristic);
            }
            if (Stop.stop_requested()) { // its exact size may have been cut short
                plan.Stopped = true;
                LeaveUnplaced(rest, plan);
                return;
            }
            overCount = std::max<std::int64_t>(0, disc.PlannedSectors - disc.ImageSectors);
            plan.Discs.push_back(std::move(disc));
            if (guarded) {
                rest = std::move(after);
            } else {
                RemovePicks(rest, std::move(taken));
            }
            if (Progress) {
                Progress(plan.Discs.size(), rest.size());
            }
        }
    }

    // Fewer discs than `plan` holds, searched on planned sizes and then measured: discs that
    // measure over the capacity are planned again disc by disc. Kept only when still fewer.
    void Improve(const std::vector<std::size_t>& rest, const TPlanOptions& options,
                 TDiscPlan& plan) const {
        std::vector<std::size_t> slot(Problem.ItemSectors.size(), 0);
        for (std::size_t k = 0; k < rest.size(); ++k) {
            slot[rest[k]] = k;
        }
        TBins start;
        std::map<std::vector<std::size_t>, std::size_t> known; // a disc's items: its place
        for (std::size_t d = 0; d < plan.Discs.size(); ++d) {
            start.emplace_back();
            for (std::size_t i : plan.Discs[d].Items) {
                start.back().push_back(slot[i]);
            }
            known.emplace(plan.Discs[d].Items, d);
        }
        const std::vector<std::int64_t> weights = WeightsOf(rest, Problem.ItemSectors);
        const auto now = std::chrono::steady_clock::now();
        const auto limit =
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(options.TimeLimit);
        // Three starts: the disc-by-disc plan, bins filled around their largest item (which
        // gets a share of the time) and first-fit decreasing; the fewest bins first.
        TSlackLimits slackLimits;
        slackLimits.LowerBound = plan.LowerBound;
        slackLimits.Deadline = now + limit / 8;
        slackLimits.Stop = options.Stop;
        std::vector<TBins> starts{std::move(start), MinimumBinSlack(weights, Room, slackLimits),
                                  FirstFitDecreasing(weights, Room)};
        std::erase_if(starts, [](const TBins& bins) { return bins.empty(); });
        std::stable_sort(starts.begin(), starts.end(),
                         [](const TBins& a, const TBins& b) { return a.size() < b.size(); });
        if (Progress && starts.front().size() < plan.Discs.size()) {
            Progress(starts.front().size(), 0);
        }
        TBins fewer = starts.front();
        // Bin by bin with backtracking, packings of the bound itself: it finds those whose
        // bins must be (nearly) full, where the local search stalls.
        auto complete = [&](std::chrono::steady_clock::duration until) {
            if (std::int64_t(fewer.size()) <= plan.LowerBound) {
                return;
            }
            TCompletionLimits completionLimits;
            completionLimits.Deadline = now + until;
            completionLimits.Stop = options.Stop;
            TBins bins = CompleteBins(weights, Room, plan.LowerBound, completionLimits);
            if (!bins.empty()) {
                fewer = std::move(bins);
                if (Progress) {
                    Progress(fewer.size(), 0);
                }
            }
        };
        // The local search from each start in turn: it mends most packings that have room
        // to spare, but may stall on one start and not another.
        auto search = [&](std::chrono::steady_clock::duration until) {
            TImproveLimits limits;
            limits.LowerBound = plan.LowerBound;
            limits.Deadline = now + until;
            limits.Stop = options.Stop;
            if (Progress) {
                limits.Fewer = [&](std::size_t bins) {
                    if (bins < fewer.size()) {
                        Progress(bins, 0);
                    }
                };
            }
            for (const TBins& from : starts) {
                if (std::int64_t(fewer.size()) <= plan.LowerBound ||
                    std::chrono::steady_clock::now() >= limits.Deadline || Stop.stop_requested()) {
                    return;
                }
                ++limits.Seed;
                TBins found = ImprovePacking(weights, Room, from, limits);
                if (found.size() < fewer.size()) {
                    fewer = std::move(found);
                }
            }
        };
        // When the bins of the bound leave less room in all than the smallest item, each bin
        // must be nearly full: completion first. Else the local search first.
        const std::int64_t total = std::accumulate(weights.begin(), weights.end(), std::int64_t(0));
        if (plan.LowerBound * Room - total < weights.back()) {
            complete(limit * 7 / 8);
            search(limit);
        } else {
            search(limit * 3 / 4);
            complete(limit);
        }
        if (fewer.size() >= plan.Discs.size()) {
            return;
        }
        TDiscPlan better;
        std::vector<std::size_t> over;
        for (const std::vector<std::size_t>& bin : fewer) {
            std::vector<std::size_t> items = Pick(rest, bin);
            const auto same = known.find(items);
            TPlannedDisc disc =
                same != known.end() ? plan.Discs[same->second] : Measured(std::move(items));
            if (disc.ImageSectors <= Problem.CapacitySectors) {
                better.Discs.push_back(std::move(disc));
            } else {
                over.insert(over.end(), disc.Items.begin(), disc.Items.end());
            }
        }
        if (!over.empty()) {
            std::stable_sort(over.begin(), over.end(), [&](std::size_t a, std::size_t b) {
                return Problem.ItemSectors[a] > Problem.ItemSectors[b];
            });
            Fill(std::move(over), false, better);
        }
        // A stop may have cut a measure short: the start plan stands.
        if (better.Unplaced.empty() && !better.Stopped && !Stop.stop_requested() &&
            better.Discs.size() < plan.Discs.size()) {
            plan.Discs = std::move(better.Discs);
        }
    }

    static void LeaveUnplaced(std::vector<std::size_t> rest, TDiscPlan& plan) {
        std::sort(rest.begin(), rest.end());
        plan.Unplaced = std::move(rest);
    }
};

} // namespace

TDiscPlan PlanDiscs(const TFillProblem& problem, const TExactImageSize& exactSize,
                    const TPlanProgress& progress, const TPlanOptions& options) {
    TDiscPlan plan;
    const std::int64_t room = SaturatingSub(problem.CapacitySectors, problem.FixedSectors);
    std::vector<std::size_t> rest;
    for (std::size_t i = 0; i < problem.ItemSectors.size(); ++i) {
        (problem.ItemSectors[i] > room ? plan.TooLarge : rest).push_back(i);
    }
    if (rest.empty()) {
        return plan;
    }
    // Largest first throughout, so the heuristics never sort again.
    std::stable_sort(rest.begin(), rest.end(), [&](std::size_t a, std::size_t b) {
        return problem.ItemSectors[a] > problem.ItemSectors[b];
    });
    const std::vector<std::int64_t> weights = WeightsOf(rest, problem.ItemSectors);
    plan.LowerBound = BinPackingLowerBound(weights, room);

    // Every disc the fullest of what is left, unless that needs more discs than the
    // heuristics; then the guarded plan, which never does.
    const TPlanner planner{problem, exactSize, progress, options.Limits, options.Stop, room};
    planner.Fill(rest, false, plan);
    const std::size_t heuristicCount = Heuristic(weights, room).Count;
    if (plan.Discs.size() > heuristicCount && plan.Unplaced.empty() && !plan.Stopped) {
        plan.Discs.clear();
        planner.Fill(rest, true, plan);
    }
    if (plan.Unplaced.empty() && !plan.Stopped && options.TimeLimit.count() > 0 &&
        std::int64_t(plan.Discs.size()) > plan.LowerBound) {
        planner.Improve(rest, options, plan);
    }
    if (plan.Stopped) {
        return plan; // the discs as they were made, the rest Unplaced
    }
    // Fullest first (ties: the disc whose first item comes first), whichever way it was made.
    for (TPlannedDisc& disc : plan.Discs) {
        disc.Proven = disc.SpareSectors == 0;
    }
    std::sort(plan.Discs.begin(), plan.Discs.end(),
              [](const TPlannedDisc& a, const TPlannedDisc& b) {
                  return a.ImageSectors != b.ImageSectors ? a.ImageSectors > b.ImageSectors
                                                          : a.Items.front() < b.Items.front();
              });
    return plan;
}

} // namespace platterwise
