// SPDX-License-Identifier: GPL-3.0-or-later
// Cancel benchmark: how long each stage of a disc job keeps running after its stop token is
// requested. Every stage runs on a std::jthread; a stop is requested at a random moment within
// the stage's uncancelled run time, and the latency is the time from the request to the
// thread's end. Printed per stage beside that run time, then for all cancels together.
//
//   cancel_bench [FOLDER [CANCELS-PER-STAGE [SEED]]]   (default: /usr/share 10 1)
#include "disc/DiscJob.h"
#include "disc/FitCheck.h"
#include "disc/ImageSizer.h"
#include "disc/TreeProblems.h"
#include "engine/DiscPlan.h"
#include "engine/FolderSize.h"
#include "engine/SubsetSum.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace platterwise;
using Clock = std::chrono::steady_clock;
using Work = std::function<void(const std::stop_token&)>;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Stage {
    const char* Name;
    Work Run;
};

// The stop is requested from this thread after `delay`; the latency is measured up to the
// worker's last instruction, as a join would see it.
double CancelAfter(const Work& work, double delayMs) {
    std::atomic<Clock::time_point::rep> ended{0};
    std::jthread worker([&](const std::stop_token& stop) {
        work(stop);
        ended = Clock::now().time_since_epoch().count();
    });
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(delayMs));
    const Clock::time_point asked = Clock::now();
    worker.request_stop();
    worker.join();
    const Clock::time_point end{Clock::duration(ended.load())};
    return std::max(0.0, Ms(end - asked));
}

std::vector<std::int64_t> HardWeights(std::mt19937_64& rng, std::size_t n, std::int64_t lo,
                                      std::int64_t hi) {
    std::vector<std::int64_t> w(n);
    for (std::int64_t& x : w) {
        x = std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    }
    return w;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/usr/share";
    const int perStage = argc > 2 ? std::atoi(argv[2]) : 10;
    std::mt19937_64 rng(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1);

    // Sixteen million sums and 5,000 weights of which at most four fit: the table's every pass.
    const std::vector<std::int64_t> tableWeights = HardWeights(rng, 5'000, 3'300'001, 4'000'000);
    // 2,000 items of 20-900 MB planned onto DVD+R discs, planned sizes only.
    TFillProblem planProblem{HardWeights(rng, 2'000, 10'000, 450'000), 179, 2'295'104};

    // The tree of the folder once, for the exact sizing alone.
    const TImageTree tree = ReadImageTree(folder);
    const std::vector<TImageRootEntry> roots{{&tree, "share", folder}};

    // The fullest DVD+R of the folder's entries, each one item.
    TDiscJobRequest job{TDiscJobKind::FullestDisc, {}, 2'295'104, {}};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        job.Items.push_back({entry.is_directory(), entry.path().string()});
    }

    const std::vector<Stage> stages{
        {"walk", [&](const std::stop_token& s) { MeasureFolderForImage(folder, nullptr, s); }},
        {"tree", [&](const std::stop_token& s) { ReadImageTree(folder, s); }},
        {"subset sum",
         [&](const std::stop_token& s) { LargestSubsetSum(tableWeights, 16'000'000, {}, s); }},
        {"plan",
         [&](const std::stop_token& s) {
             TPlanOptions options;
             options.Stop = s;
             PlanDiscs(planProblem, {}, {}, options);
         }},
        {"exact sizing", [&](const std::stop_token& s) { ExactImageSectors(roots, {}, s); }},
        {"fit check", [&](const std::stop_token& s) { CheckFit({folder}, 2'295'104, {}, s); }},
        {"disc job", [&](const std::stop_token& s) { RunDiscJob(job, {}, s); }},
    };

    std::printf("cancel bench on %s, %d cancels a stage\n", folder.c_str(), perStage);
    std::vector<double> all;
    for (const Stage& stage : stages) {
        const Clock::time_point start = Clock::now();
        stage.Run({});
        const double full = Ms(Clock::now() - start);
        std::vector<double> latencies;
        for (int i = 0; i < perStage; ++i) {
            const double delay = std::uniform_real_distribution<double>(0, full)(rng);
            latencies.push_back(CancelAfter(stage.Run, delay));
        }
        all.insert(all.end(), latencies.begin(), latencies.end());
        std::printf("  %-13s uncancelled %8.1f ms; stop latency worst %6.1f ms, median %6.1f ms "
                    "(worst %.3f of the run)\n",
                    stage.Name, full, *std::max_element(latencies.begin(), latencies.end()),
                    Median(latencies),
                    *std::max_element(latencies.begin(), latencies.end()) / full);
    }
    std::printf("cancel latency: worst %.0f ms, median %.0f ms over %zu cancels\n",
                *std::max_element(all.begin(), all.end()), Median(all), all.size());
    return 0;
}
