// SPDX-License-Identifier: GPL-3.0-or-later
// The searches on sets made to be hard for them, each beside `total` on the same items in the
// same run: sizes that can never meet the disc exactly, few large files, and 10,000 and
// 100,000 loose files planned onto DVD+R. Prints figures; asserts nothing.
//
//   cliff_bench [WORK-FOLDER [SETS]]   (default /tmp/platterwise-cliff-bench; SETS a
//                                       comma-separated list of names, default all)
//
// Per set: `total` and `best` (and `plan` where named) as the command line runs them, median
// of runs taken in turn, with the ratio to `total`; the floor of each (the walk, and libisofs
// laying out each disc of the answer once, which every verified answer costs); and the search
// alone (planned sectors from the walk, every disc sized exactly; median of at least 3 runs),
// so that the search's part is seen apart from the walks the job makes.
#include "Timing.h"
#include "disc/DiscJob.h"
#include "disc/ImageSizer.h"
#include "engine/DiscPlan.h"
#include "engine/FullestDisc.h"
#include "engine/TotalsReport.h"
#include "fill_bench/AllRows.h"
#include "fill_bench/PlannedSectors.h"
#include "image/DiscMedia.h"
#include "image/ImageCost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace platterwise::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kSector = kSectorBytes;

struct TSet {
    const char* Name;
    const char* About;
    std::size_t Files;
    std::function<std::int64_t(std::mt19937_64&)> Bytes; // one file's size
    bool Plan;                                           // plan it too
    int Runs;
};

// Planned sectors of a file are its data sectors plus one for its share of the directories.
std::int64_t PlannedAs(std::int64_t sectors) {
    return (sectors - 1) * kSector - 100;
}

std::vector<TSet> Sets() {
    return {
        {"never-ten", "3,000 files of 430-446 MB: ten fit a DVD+R, eleven never", 3000,
         [](std::mt19937_64& r) {
             return PlannedAs(std::uniform_int_distribution<std::int64_t>(210'000, 218'000)(r));
         },
         false, 5},
        {"never-mod", "3,000 files planned at 1 sector more than a multiple of 1,000", 3000,
         [](std::mt19937_64& r) {
             return PlannedAs(1 + 1000 * std::uniform_int_distribution<std::int64_t>(12, 28)(r));
         },
         false, 5},
        {"mod-100", "100 files planned at 1 sector more than a multiple of 1,000", 100,
         [](std::mt19937_64& r) {
             return PlannedAs(1 + 1000 * std::uniform_int_distribution<std::int64_t>(12, 28)(r));
         },
         false, 5},
        {"40-large", "40 files of 2-6 GB", 40,
         [](std::mt19937_64& r) {
             return std::uniform_int_distribution<std::int64_t>(2'000'000'000, 6'000'000'000)(r);
         },
         true, 5},
        {"10000-files", "10,000 files of 12-60 MB", 10000,
         [](std::mt19937_64& r) {
             return std::uniform_int_distribution<std::int64_t>(12'000'000, 60'000'000)(r);
         },
         true, 3},
        {"100000-files", "100,000 files of 12-60 MB", 100000,
         [](std::mt19937_64& r) {
             return std::uniform_int_distribution<std::int64_t>(12'000'000, 60'000'000)(r);
         },
         true, 1},
    };
}

// The set's files under `root`/name (sparse; made again when the count differs).
std::vector<std::string> MakeSet(const std::string& root, const TSet& set) {
    const fs::path dir = fs::path(root) / set.Name;
    std::vector<std::string> paths;
    std::mt19937_64 rng(7);
    const bool fresh = !fs::is_directory(dir) ||
                       std::size_t(std::distance(fs::directory_iterator(dir), {})) != set.Files;
    if (fresh) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    for (std::size_t i = 0; i < set.Files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "t%06zu.flac", i);
        paths.push_back((dir / name).string());
        const std::int64_t bytes = set.Bytes(rng);
        if (fresh) {
            const int fd = ::open(paths.back().c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd < 0 || ::ftruncate(fd, bytes) != 0) {
                std::perror(paths.back().c_str());
            }
            ::close(fd);
        }
    }
    return paths;
}

void Bench(const std::string& root, const TSet& set) {
    const std::vector<std::string> paths = MakeSet(root, set);
    const TRows rows(paths);
    const std::int64_t capacity = FindDiscMedium("dvd+r")->CapacitySectors;
    std::vector<double> total;
    std::vector<double> best;
    std::vector<double> plan;
    TDiscJobResult bestResult;
    TDiscJobResult planResult;
    for (int run = 0; run < set.Runs; ++run) {
        TDiscard sink;
        total.push_back(Seconds([&] {
            BuildTotalsReport(TTotalsVariant::OnShowTotalButton, rows, TTargetFields{}, sink);
        }));
        best.push_back(Seconds([&] {
            bestResult = RunDiscJob({TDiscJobKind::FullestDisc, rows.Rows(), capacity, {}});
        }));
        if (set.Plan) {
            plan.push_back(Seconds([&] {
                planResult = RunDiscJob({TDiscJobKind::Plan, rows.Rows(), capacity, {}});
            }));
        }
    }

    // The search alone: planned sectors from the walk, every set sized exactly.
    std::vector<std::int64_t> w;
    const double walk = Seconds([&] {
        for (const std::string& p : paths) {
            w.push_back(PlannedItemSectors(p));
        }
    });
    TImageSizer sizer(paths);
    const TExactImageSize exact = [&](const std::vector<std::size_t>& chosen) {
        return sizer.Size(chosen).Sectors;
    };
    const TFillProblem problem{w, FixedImageSectors(), capacity};
    TFilledDisc fullest;
    std::vector<double> searches;
    for (int run = 0; run < std::max(set.Runs, 3); ++run) {
        searches.push_back(Seconds([&] { fullest = FindFullestDisc(problem, exact); }));
    }
    const double search = Median(searches);
    // What no search can go below: every disc it answers with laid out once by libisofs.
    const auto layouts = [&](const TDiscJobResult& result) {
        std::vector<std::vector<std::size_t>> discs;
        for (const TDiscJobDisc& disc : result.Discs) {
            discs.emplace_back();
            for (const TDiscJobItem& item : disc.Items) {
                discs.back().push_back(item.Position);
                sizer.Tree(item.Position); // read before the clock starts
            }
        }
        return Seconds([&] {
            for (const std::vector<std::size_t>& items : discs) {
                sizer.Sectors(items);
            }
        });
    };
    const double bestLayouts = layouts(bestResult);

    const double t = Median(total);
    std::printf("== %s: %s (%zu runs)\n", set.Name, set.About, total.size());
    std::printf("  total          %9.1f ms\n", t * 1e3);
    std::printf("  best           %9.1f ms  best / total = %.2f  (spare %lld sectors)\n",
                Median(best) * 1e3, Median(best) / t,
                static_cast<long long>(
                    bestResult.Discs.empty() ? -1 : bestResult.Discs.front().SpareSectors));
    std::printf("  best floor     %9.1f ms  (total + its disc laid out once) / total = %.2f\n",
                (t + bestLayouts) * 1e3, (t + bestLayouts) / t);
    std::printf("  fullest search %9.1f ms  (total + search) / total = %.2f  (%s, %d rounds; "
                "planned-sector walk %.1f ms)\n",
                search * 1e3, (t + search) / t, fullest.Proven ? "proven" : "not proven",
                fullest.Rounds, walk * 1e3);
    if (set.Plan) {
        TPlanOptions options;
        options.TimeLimit = {};
        TDiscPlan planned;
        std::vector<double> starts;
        for (int run = 0; run < std::max(set.Runs, 3); ++run) {
            starts.push_back(Seconds([&] { planned = PlanDiscs(problem, exact, {}, options); }));
        }
        const double start = Median(starts);
        std::size_t full = 0;
        for (const TPlannedDisc& d : planned.Discs) {
            full += d.SpareSectors == 0 ? 1 : 0;
        }
        std::printf("  plan           %9.1f ms  plan / total = %.2f  (%zu discs, at least %lld)\n",
                    Median(plan) * 1e3, Median(plan) / t, planResult.Discs.size(),
                    static_cast<long long>(planResult.LowerBound));
        const double planLayouts = layouts(planResult);
        std::printf("  plan floor     %9.1f ms  (total + each disc laid out once) / total = %.2f\n",
                    (t + planLayouts) * 1e3, (t + planLayouts) / t);
        std::printf("  plan search    %9.1f ms  (total + search) / total = %.2f  (disc by disc: "
                    "%zu discs, %zu full)\n",
                    start * 1e3, (t + start) / t, planned.Discs.size(), full);
    }
}

} // namespace
} // namespace platterwise::bench

// Whether `name` is among the comma-separated `names` (all when empty).
bool Chosen(const std::string& names, const std::string& name) {
    if (names.empty()) {
        return true;
    }
    std::size_t from = 0;
    while (from <= names.size()) {
        const std::size_t comma = std::min(names.find(',', from), names.size());
        if (names.compare(from, comma - from, name) == 0) {
            return true;
        }
        from = comma + 1;
    }
    return false;
}

int main(int argc, char** argv) {
    const std::string root = argc > 1 ? argv[1] : "/tmp/platterwise-cliff-bench";
    const std::string only = argc > 2 ? argv[2] : "";
    std::printf("cliff_bench: sets in %s (sparse files), DVD+R, medians of runs in turn\n",
                root.c_str());
    for (const platterwise::bench::TSet& set : platterwise::bench::Sets()) {
        if (Chosen(only, set.Name)) {
            platterwise::bench::Bench(root, set);
        }
    }
    return 0;
}
