// SPDX-License-Identifier: GPL-3.0-or-later
// The disc plan on generated bin-packing instances, beside first-fit decreasing in the same run:
//  - uniform: n items of 20-100 units for bins of 150, n = 120, 250, 500, 1,000, 20 seeded
//    instances each; compared with the lower bound (their optimum is not known in general);
//  - triplets: bins of 1,000 units each cut into three items of 251-498 units, 20 instances
//    each of 60, 120, 249 and 501 items; the optimum is n / 3, as no bin holds four items.
// Every unit is 1,000 sectors, so the plan works on disc-sized numbers.
//
//   binpack_bench [SECONDS-PER-PLAN [CLASS]]   (default: the plan's own limit; every class)
#include "engine/BinPacking.h"
#include "engine/DiscPlan.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace platterwise;

constexpr std::int64_t kSectorsPerUnit = 1'000;

struct TInstance {
    std::vector<std::int64_t> Units;
    std::int64_t Capacity = 0;
    std::int64_t Optimum = 0; // 0: not known
};

TInstance Uniform(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    TInstance t{{}, 150, 0};
    for (std::size_t i = 0; i < n; ++i) {
        t.Units.push_back(20 + std::int64_t(rng() % 81));
    }
    return t;
}

TInstance Triplets(std::size_t n, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    TInstance t{{}, 1'000, std::int64_t(n / 3)};
    while (t.Units.size() < n) {
        const std::int64_t a = 251 + std::int64_t(rng() % 248);
        const std::int64_t b = 251 + std::int64_t(rng() % 248);
        const std::int64_t c = 1'000 - a - b;
        if (c >= 251 && c <= 498) {
            t.Units.insert(t.Units.end(), {a, b, c});
        }
    }
    std::shuffle(t.Units.begin(), t.Units.end(), rng);
    return t;
}

struct TTally {
    int Instances = 0;
    int PlanAtTarget = 0; // reached the optimum when known, else the lower bound
    int FfdAtTarget = 0;
    std::int64_t PlanAbove = 0; // discs above the target, summed
    std::int64_t FfdAbove = 0;
    std::int64_t Proven = 0; // plans whose printed bound equals their count
    double PlanSeconds = 0;
    double PlanWorst = 0;
    double FfdSeconds = 0;
    int Worse = 0; // plans with more discs than first-fit decreasing: must stay 0
};

void Run(const TInstance& t, double limit, TTally& tally) {
    std::vector<std::int64_t> sectors;
    for (std::int64_t u : t.Units) {
        sectors.push_back(u * kSectorsPerUnit);
    }
    const std::int64_t capacity = t.Capacity * kSectorsPerUnit;
    const auto t0 = std::chrono::steady_clock::now();
    const TBins ffd = FirstFitDecreasing(sectors, capacity);
    const auto t1 = std::chrono::steady_clock::now();
    TPlanOptions options;
    if (limit > 0) {
        options.TimeLimit = std::chrono::duration<double>(limit);
    }
    const TDiscPlan plan = PlanDiscs({sectors, 0, capacity}, {}, {}, options);
    const auto t2 = std::chrono::steady_clock::now();

    const std::int64_t target = t.Optimum > 0 ? t.Optimum : plan.LowerBound;
    const auto discs = std::int64_t(plan.Discs.size());
    ++tally.Instances;
    tally.PlanAtTarget += discs == target ? 1 : 0;
    tally.FfdAtTarget += std::int64_t(ffd.size()) == target ? 1 : 0;
    tally.PlanAbove += discs - target;
    tally.FfdAbove += std::int64_t(ffd.size()) - target;
    tally.Proven += discs == plan.LowerBound ? 1 : 0;
    tally.Worse += discs > std::int64_t(ffd.size()) ? 1 : 0;
    const double planSeconds = std::chrono::duration<double>(t2 - t1).count();
    tally.PlanSeconds += planSeconds;
    tally.PlanWorst = std::max(tally.PlanWorst, planSeconds);
    tally.FfdSeconds += std::chrono::duration<double>(t1 - t0).count();
}

void Print(const std::string& name, const std::string& target, const TTally& t) {
    std::printf("%-16s %2d instances | plan: %2d at %s, %3lld discs above, %2lld proven, "
                "%.3f s mean, %.3f s worst | first-fit decreasing: %2d at %s, %3lld discs "
                "above, %.4f s mean | plan worse than FFD: %d\n",
                name.c_str(), t.Instances, t.PlanAtTarget, target.c_str(),
                static_cast<long long>(t.PlanAbove), static_cast<long long>(t.Proven),
                t.PlanSeconds / t.Instances, t.PlanWorst, t.FfdAtTarget, target.c_str(),
                static_cast<long long>(t.FfdAbove), t.FfdSeconds / t.Instances, t.Worse);
}

} // namespace

int main(int argc, char** argv) {
    const double limit = argc > 1 ? std::atof(argv[1]) : 0;
    const std::string only = argc > 2 ? argv[2] : "";
    int planTotal = 0;
    int ffdTotal = 0;
    int worse = 0;
    for (std::size_t n : {120, 250, 500, 1000}) {
        if (!("uniform " + std::to_string(n)).starts_with(only)) {
            continue;
        }
        TTally tally;
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            Run(Uniform(n, n * 1000 + seed), limit, tally);
        }
        Print("uniform " + std::to_string(n), "bound", tally);
        planTotal += tally.PlanAtTarget;
        ffdTotal += tally.FfdAtTarget;
        worse += tally.Worse;
    }
    if (std::string("uniform").starts_with(only.substr(0, 7))) {
        std::printf(
            "uniform total: plan at the bound on %d of 80, first-fit decreasing on %d of 80\n",
            planTotal, ffdTotal);
    }
    for (std::size_t n : {60, 120, 249, 501}) {
        if (!("triplets " + std::to_string(n)).starts_with(only)) {
            continue;
        }
        TTally tally;
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            Run(Triplets(n, n * 7000 + seed), limit, tally);
        }
        Print("triplets " + std::to_string(n), "optimum", tally);
        worse += tally.Worse;
    }
    return worse == 0 ? 0 : 1;
}
