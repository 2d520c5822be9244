// SPDX-License-Identifier: GPL-3.0-or-later
// Fill benchmark: how full the fullest disc, the designed random search, dirsplit and fpart
// make a disc, and how many discs the plan, dirsplit and fpart need beside the lower bound, on
// generated collections, for DVD+R, CD-R and DVD+R DL. Prints figures; asserts nothing.
//
//   fill_bench [WORK-FOLDER [SEED]]   (default /tmp/platterwise-fill-bench, seed 1)
//
// Every search gets the same weights: each item's planned sectors from the image cost model
// (PlannedSectors.h). The fullest disc and the plan measure their discs exactly (libisofs);
// every such disc is checked against xorriso -print-size, and the spare sectors of every
// search's fullest disc are exact.
#include "AllRows.h"
#include "Collections.h"
#include "Peers.h"
#include "PlannedSectors.h"
#include "Verify.h"
#include "disc/DiscJob.h"
#include "disc/ImageSizer.h"
#include "engine/BinPacking.h"
#include "engine/DiscFillSearch.h"
#include "engine/DiscPlan.h"
#include "engine/Selection.h"
#include "engine/TotalsReport.h"
#include "engine/Units.h"
#include "image/DiscMedia.h"
#include "image/ImageCost.h"
#include "image/MediaTemplates.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numeric>

namespace platterwise::bench {
namespace {

namespace fs = std::filesystem;

// The median wall time of `runs` calls of `f`, in seconds.
double Median(int runs, const std::function<void()>& f) {
    std::vector<double> s;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        s.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(s.begin(), s.end());
    return s[s.size() / 2];
}

std::int64_t SumOf(const std::vector<std::int64_t>& w, const std::vector<std::size_t>& at) {
    std::int64_t sum = 0;
    for (std::size_t i : at) {
        sum += w[i];
    }
    return sum;
}

std::string Grouped(std::int64_t v) {
    return GroupThousands(v);
}

struct TMedium {
    const TDiscMedium* Disc;
    int Template; // the window's template for the random search
};

struct TTargets {
    int ExactCases = 0;
    int ProvenCases = 0;
    int AboveAPeer = 0;
    int LowerBoundMissed = 0; // first-fit decreasing met the bound, the plan did not
    int OverBoundPlusOne = 0;
    TVerified Verified;
};

// The exact sectors of the items at `chosen` (any order).
std::int64_t Exact(TImageSizer& sizer, std::vector<std::size_t> chosen) {
    std::sort(chosen.begin(), chosen.end());
    return sizer.Sectors(chosen);
}

// The peer's fullest disc (by the weights it was given), sized exactly. `fit` maps the
// positions the peer saw to the collection's.
void PeerLine(const char* name, const TPeerResult& r, const std::vector<std::int64_t>& w,
              const std::vector<std::size_t>& fit, TImageSizer& sizer, std::int64_t capacity,
              std::int64_t fullestSpare, TTargets& t) {
    if (!r.Ran) {
        std::printf("  %-14s did not run (is it installed?)\n", name);
        return;
    }
    const std::vector<std::size_t>* fullest = &r.Discs.front();
    for (const auto& disc : r.Discs) {
        fullest = SumOf(w, disc) > SumOf(w, *fullest) ? &disc : fullest;
    }
    std::vector<std::size_t> items;
    for (const std::size_t k : *fullest) {
        items.push_back(fit[k]);
    }
    const std::int64_t spare = capacity - Exact(sizer, items);
    t.AboveAPeer += fullestSpare > spare ? 1 : 0;
    std::printf("  %-14s spare %10s sectors on its fullest disc, %3zu discs      %9.1f ms\n", name,
                Grouped(spare).c_str(), r.Discs.size(), r.Seconds * 1e3);
}

void RandomSearchLine(const TSelection& selection, TImageSizer& sizer, std::int64_t capacity,
                      int templateIndex) {
    constexpr int kSeeds = 5;
    std::vector<std::int64_t> spares;
    int over = 0;
    const TSearchSettings settings{MediaTemplates[std::size_t(templateIndex)].SearchTargetMb, "25",
                                   false, "1000"};
    const double seconds = Median(kSeeds, [&, seed = 0u]() mutable {
        std::vector<TSelectionItem> items = selection.Items;
        TRandom rng(++seed);
        const TSearchResult r = SearchDiscFill(items, selection.Total, settings, rng);
        if (r.Outcome == soFound) {
            spares.push_back(capacity - Exact(sizer, r.Chosen));
            over += spares.back() < 0 ? 1 : 0;
        }
    });
    std::sort(spares.begin(), spares.end());
    if (spares.empty()) {
        std::printf("  %-14s found nothing in %d runs%31s %9.1f ms\n", "random search", kSeeds, "",
                    seconds * 1e3);
        return;
    }
    std::printf("  %-14s spare %10s sectors (median of %zu of %d runs; %d over the disc) "
                "%5.2f ms\n",
                "random search", Grouped(spares[spares.size() / 2]).c_str(), spares.size(), kSeeds,
                over, seconds * 1e3);
}

void BenchMedium(const TCollection& c, const TSelection& selection,
                 const std::vector<std::int64_t>& w, TImageSizer& sizer, const TMedium& m,
                 const std::string& scratch, TTargets& t) {
    const std::int64_t capacity = m.Disc->CapacitySectors;
    const std::int64_t room = capacity - FixedImageSectors();
    const TFillProblem problem{w, FixedImageSectors(), capacity};
    const TExactImageSize exact = [&](const std::vector<std::size_t>& chosen) {
        return sizer.Sectors(chosen);
    };

    TFilledDisc fullest;
    const double fullestSeconds = Median(5, [&] { fullest = FindFullestDisc(problem, exact); });
    TDiscPlan plan;
    const double planSeconds = Median(3, [&] { plan = PlanDiscs(problem, exact); });

    // The peers get the items that fit a disc at all, as the plan does.
    std::vector<std::string> fitPaths;
    std::vector<std::int64_t> fitSectors;
    std::vector<std::size_t> fit;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (w[i] <= room) {
            fitPaths.push_back(c.Items[i]);
            fitSectors.push_back(w[i]);
            fit.push_back(i);
        }
    }
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const TPeerResult dirsplit = RunDirsplit(fitPaths, fitSectors, room, scratch);
    const TPeerResult fpart = RunFpart(fitPaths, fitSectors, room, scratch);
    const std::size_t ffd = fitSectors.empty() ? 0 : FirstFitDecreasing(fitSectors, room).size();

    TVerified verified;
    if (fullest.Status == TFillStatus::Filled) {
        VerifyWithXorriso(sizer, fullest.Chosen, fullest.ImageSectors, verified);
    }
    for (const TPlannedDisc& disc : plan.Discs) {
        VerifyWithXorriso(sizer, disc.Items, disc.ImageSectors, verified);
    }

    std::printf("%s on %s (%s sectors, %s for items): %zu items, %zu too large\n", c.Name.c_str(),
                std::string(m.Disc->DisplayName).c_str(), Grouped(capacity).c_str(),
                Grouped(room).c_str(), w.size(), fullest.TooLarge.size());
    std::printf("  %-14s spare %10s sectors (planned spare %s; %s, %d rounds) %9.1f ms\n",
                "fullest disc", Grouped(fullest.SpareSectors).c_str(),
                Grouped(capacity - fullest.PlannedSectors).c_str(),
                fullest.Proven ? "proven" : "not proven", fullest.Rounds, fullestSeconds * 1e3);
    RandomSearchLine(selection, sizer, capacity, m.Template);
    PeerLine("dirsplit", dirsplit, fitSectors, fit, sizer, capacity, fullest.SpareSectors, t);
    PeerLine("fpart", fpart, fitSectors, fit, sizer, capacity, fullest.SpareSectors, t);
    std::printf("  %-14s %zu discs, lower bound %lld, first-fit decreasing %zu%17s %9.1f ms\n",
                "plan", plan.Discs.size(), static_cast<long long>(plan.LowerBound), ffd, "",
                planSeconds * 1e3);
    std::printf("  %-14s %d of %d discs: libisofs's size equal to xorriso -print-size\n",
                "verified", verified.Equal, verified.Discs);

    ++t.ExactCases;
    t.ProvenCases += fullest.Proven ? 1 : 0;
    const auto bound = std::size_t(plan.LowerBound);
    t.LowerBoundMissed += (ffd == bound && plan.Discs.size() != bound) ? 1 : 0;
    t.OverBoundPlusOne += plan.Discs.size() > bound + 1 ? 1 : 0;
    t.Verified.Equal += verified.Equal;
    t.Verified.Discs += verified.Discs;
}

// Blu-ray: beyond the exact table's limits with many items; the fullest disc alone.
void BluRayLines(const std::vector<std::int64_t>& w, TImageSizer& sizer) {
    for (const char* name : {"bd-r", "bd-r-dl", "bd-r-xl100", "bd-r-xl128"}) {
        const TDiscMedium* m = FindDiscMedium(name);
        TFilledDisc d;
        const double seconds = Median(3, [&] {
            d = FindFullestDisc(
                {w, FixedImageSectors(), m->CapacitySectors},
                [&](const std::vector<std::size_t>& chosen) { return sizer.Sectors(chosen); });
        });
        std::printf("  %-14s spare %10s sectors (planned spare %s; %s) %9.1f ms\n",
                    std::string(m->DisplayName).c_str(), Grouped(d.SpareSectors).c_str(),
                    Grouped(m->CapacitySectors - d.PlannedSectors).c_str(),
                    d.Proven ? "proven" : "not proven", seconds * 1e3);
    }
}

// The median times of `total` and of `best` on DVD+R, as the command line runs them, taken
// in turn.
void TotalAndBest(const TRows& rows, double& totalSeconds, double& bestSeconds) {
    std::vector<double> total;
    std::vector<double> best;
    TDiscJobRequest request{
        TDiscJobKind::FullestDisc, rows.Rows(), FindDiscMedium("dvd+r")->CapacitySectors, {}};
    for (int run = 0; run < 5; ++run) {
        TDiscard sink;
        auto t0 = std::chrono::steady_clock::now();
        BuildTotalsReport(TTotalsVariant::OnShowTotalButton, rows, TTargetFields{}, sink);
        total.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        t0 = std::chrono::steady_clock::now();
        RunDiscJob(request);
        best.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(total.begin(), total.end());
    std::sort(best.begin(), best.end());
    totalSeconds = total[total.size() / 2];
    bestSeconds = best[best.size() / 2];
}

} // namespace
} // namespace platterwise::bench

int main(int argc, char** argv) {
    using namespace platterwise;
    using namespace platterwise::bench;
    const std::string root = argc > 1 ? argv[1] : "/tmp/platterwise-fill-bench";
    const std::uint64_t seed = argc > 2 ? std::stoull(argv[2]) : 1;
    const std::vector<TCollection> collections = MakeCollections(root + "/music", seed);
    const std::vector<TMedium> media{
        {FindDiscMedium("dvd+r"), 0}, {FindDiscMedium("cd-r"), 3}, {FindDiscMedium("dvd+r-dl"), 2}};
    std::printf("fill_bench: seed %llu, collections in %s/music (sparse files)\n",
                static_cast<unsigned long long>(seed), root.c_str());
    std::printf("weights: each item's planned sectors from the image cost model (one walk); "
                "image %lld sectors\n",
                static_cast<long long>(FixedImageSectors()));
    std::printf("random search: the window's template, deviation 25 Mb, 1000 samples, seeds "
                "1-5\n");
    std::printf("spare sectors: capacity less the exact image of each search's fullest disc\n\n");

    TTargets targets;
    double ratio10k = 0;
    for (const TCollection& c : collections) {
        const TRows rows(c.Items);
        double totalSeconds = 0;
        double bestSeconds = 0;
        TotalAndBest(rows, totalSeconds, bestSeconds);
        const TSelection selection = CollectSelection(rows);
        std::vector<std::int64_t> w;
        const double walkSeconds = Median(3, [&] {
            w.clear();
            for (const std::string& path : c.Items) {
                w.push_back(PlannedItemSectors(path));
            }
        });
        TImageSizer sizer(c.Items);
        const double searchSeconds = Median(5, [&] {
            FindFullestDisc(
                {w, FixedImageSectors(), media[0].Disc->CapacitySectors},
                [&](const std::vector<std::size_t>& chosen) { return sizer.Sectors(chosen); });
        });
        std::printf("== %s: %zu items, %s bytes. total (as `platterwise-cli total`) %.1f ms; "
                    "planned-sector walk %.1f ms; fullest DVD+R search %.1f ms: "
                    "(total + search) / total = %.2f; best (as `platterwise-cli best`) %.1f ms: "
                    "best / total = %.2f\n",
                    c.Name.c_str(), c.Items.size(), Grouped(selection.Total).c_str(),
                    totalSeconds * 1e3, walkSeconds * 1e3, searchSeconds * 1e3,
                    (totalSeconds + searchSeconds) / totalSeconds, bestSeconds * 1e3,
                    bestSeconds / totalSeconds);
        if (c.Name == "10000 files") {
            ratio10k = bestSeconds / totalSeconds;
        }
        for (const TMedium& m : media) {
            BenchMedium(c, selection, w, sizer, m, root + "/scratch", targets);
        }
        std::printf("%s, fullest disc on Blu-ray\n", c.Name.c_str());
        BluRayLines(w, sizer);
        std::printf("\n");
    }
    std::printf("targets: fullest disc proven optimal in %d of %d cases; its spare above a "
                "peer's in %d; plan off the lower bound where first-fit decreasing meets it: "
                "%d; plan above the bound + 1: %d; verified sizes equal to xorriso's: %d of %d; "
                "10000 files best / total %.2f (target at most 1.5)\n",
                targets.ProvenCases, targets.ExactCases, targets.AboveAPeer,
                targets.LowerBoundMissed, targets.OverBoundPlusOne, targets.Verified.Equal,
                targets.Verified.Discs, ratio10k);
    return 0;
}
