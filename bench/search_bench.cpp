// SPDX-License-Identifier: GPL-3.0-or-later
// Disc-fill search benchmark, worst case: 10,000 items, every variant draws all of them before
// it reaches the window, and every one of 1,000 variants overshoots.
//
//   search_bench [RUNS]   (default 5)
#include "engine/DiscFillReport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    using namespace platterwise;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    constexpr int kItems = 10'000;

    // 10,000 items of 1,000,001 bytes: 9,999 of them stay below 10,000 Mb, all 10,000 exceed it.
    std::vector<TSelectionItem> items;
    for (int i = 0; i < kItems; ++i) {
        items.push_back({i + 1, "/m/" + std::to_string(i), ikFile, 1'000'001, false});
    }
    const std::int64_t total = std::int64_t(kItems) * 1'000'001;
    const TSearchSettings settings{10'000, "0", false, "1000"};

    std::vector<double> seconds;
    TSearchResult r;
    for (int run = 0; run < runs; ++run) {
        TRandom rng(std::uint32_t(run + 1));
        const auto t0 = std::chrono::steady_clock::now();
        r = RunDiscFillSearch(items, total, settings, rng);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("items %d, variants %d (outcome %s), items drawn %lld\n", kItems, r.Variants,
                r.Outcome == soSampleLimit ? "sample limit" : "UNEXPECTED",
                static_cast<long long>(r.Draws));
    std::printf("median of %d runs: %.3f s, %.1f million items drawn per second\n", runs, median,
                double(r.Draws) / median / 1e6);
    return r.Outcome == soSampleLimit ? 0 : 1;
}
