// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/SubsetSum.h"

#include "ExactFillFakes.h"

#include <gtest/gtest.h>
#include <numeric>

namespace platterwise {
namespace {

using testing::BruteLargestSum;
using testing::SmallWeights;
using testing::SumAt;

// Each method against brute force on many small seeded instances.
TEST(SubsetSum, EveryExactMethodFindsTheBruteForceOptimum) {
    std::mt19937_64 rng(11);
    const TSubsetSumLimits tiny{8, 64, 0}; // forces the greedy fill and a tiny residual table
    for (int round = 0; round < 600; ++round) {
        const std::vector<std::int64_t> w = SmallWeights(rng, 14);
        const std::int64_t capacity = std::uniform_int_distribution<std::int64_t>(0, 260)(rng);
        const std::int64_t best = BruteLargestSum(w, capacity);
        SCOPED_TRACE(::testing::Message() << "round " << round << " capacity " << capacity);

        for (const TSubsetSumResult& r :
             {SubsetSumByTable(w, capacity), SubsetSumByHalves(w, capacity),
              LargestSubsetSum(w, capacity)}) {
            EXPECT_EQ(r.Sum, best);
            EXPECT_EQ(SumAt(w, r.Chosen), r.Sum);
            EXPECT_TRUE(r.Proven);
        }
        const TSubsetSumResult all = LargestSubsetSum(w, capacity);
        for (std::size_t k = 0; k < w.size(); ++k) {
            const bool chosen =
                std::find(all.Chosen.begin(), all.Chosen.end(), k) != all.Chosen.end();
            if (w[k] == 0) {
                EXPECT_TRUE(chosen) << "an item of no cost is always taken";
            }
        }

        const TSubsetSumResult reduced = LargestSubsetSum(w, capacity, tiny);
        EXPECT_EQ(SumAt(w, reduced.Chosen), reduced.Sum);
        EXPECT_LE(reduced.Sum, best);
        if (reduced.Proven) {
            EXPECT_EQ(reduced.Sum, best);
        }
    }
}

// Few weights with a capacity beyond the table: the quick fills against the full table that
// raised limits allow, whichever of them the search takes.
TEST(SubsetSum, QuickFillsForFewWeightsAgreeWithTheFullTable) {
    std::mt19937_64 rng(21);
    const TSubsetSumLimits small{1 << 16, 1 << 22, 40};
    const TSubsetSumLimits raised{1 << 24, 4'000'000'000, 0};
    for (int round = 0; round < 30; ++round) {
        std::vector<std::int64_t> w(std::size_t(26 + round % 15));
        for (std::int64_t& x : w) {
            x = std::uniform_int_distribution<std::int64_t>(1'000, 60'000)(rng);
        }
        const std::int64_t capacity =
            std::uniform_int_distribution<std::int64_t>(100'000, 1'000'000)(rng);
        const TSubsetSumResult quick = LargestSubsetSum(w, capacity, small);
        const TSubsetSumResult full = LargestSubsetSum(w, capacity, raised);
        EXPECT_EQ(SumAt(w, quick.Chosen), quick.Sum);
        EXPECT_TRUE(quick.Proven);
        EXPECT_EQ(quick.Sum, full.Sum) << "round " << round;
    }
}

// Half the rounds draw from five sizes, so that the table passes copies of a size together.
TEST(SubsetSum, HalvesAndTableAgreeOnMediumInstances) {
    std::mt19937_64 rng(5);
    for (int round = 0; round < 8; ++round) {
        std::vector<std::int64_t> w(36);
        for (std::int64_t& x : w) {
            x = std::uniform_int_distribution<std::int64_t>(20'000, 200'000)(rng);
        }
        for (std::size_t k = 5; round % 2 == 1 && k < w.size(); ++k) {
            w[k] = w[k % 5];
        }
        const std::int64_t capacity =
            std::uniform_int_distribution<std::int64_t>(100'000, 1'000'000)(rng);
        const TSubsetSumResult table = SubsetSumByTable(w, capacity);
        const TSubsetSumResult halves = SubsetSumByHalves(w, capacity);
        EXPECT_EQ(table.Sum, halves.Sum);
        EXPECT_EQ(SumAt(w, halves.Chosen), halves.Sum);
        EXPECT_EQ(SumAt(w, table.Chosen), table.Sum);
    }
}

// Past 255 and 65,535 passes the table keeps wider pass numbers: the best sum here is the
// last weight alone (any two pass the capacity), reached only in the last pass.
TEST(SubsetSum, TheTableReadsBackTheLastOfManyPasses) {
    for (const std::size_t count : {200, 300, 66'000}) {
        std::vector<std::int64_t> w(count);
        for (std::size_t k = 0; k < count; ++k) {
            w[k] = 2 * std::int64_t(count + k);
        }
        const TSubsetSumResult r = SubsetSumByTable(w, w.back() + 1);
        EXPECT_EQ(r.Chosen, std::vector<std::size_t>{count - 1}) << count;
        EXPECT_EQ(r.Sum, w.back());
    }
}

TEST(SubsetSum, ACommonFactorShowsThatTheCapacityCannotBeMet) {
    // Every weight even, an odd capacity: the best is one below it, proven without a full
    // search even when the limits allow no table at all.
    std::vector<std::int64_t> w(3000);
    std::mt19937_64 rng(3);
    for (std::int64_t& x : w) {
        x = 2 * std::uniform_int_distribution<std::int64_t>(5'000, 15'000)(rng);
    }
    const TSubsetSumResult r = LargestSubsetSum(w, 2'295'105, {1 << 21, 200'000'000, 40});
    EXPECT_EQ(r.Sum, 2'295'104);
    EXPECT_TRUE(r.Proven);
    EXPECT_EQ(SumAt(w, r.Chosen), r.Sum);
}

// Weights that can never meet the capacity exactly: too large for more than ten to fit, or
// all alike modulo m. The search stops at the bound on what is reachable, equal to the full
// table's; too large to pair well, it needs no table at all.
TEST(SubsetSum, WeightsThatNeverMeetTheCapacityStopAtTheReachableBound) {
    std::mt19937_64 rng(13);
    struct TFamily {
        std::int64_t Modulus, Remainder, Low, High, Capacity;
    };
    for (const TFamily& f :
         {TFamily{1, 0, 210'000, 218'000, 2'295'071}, TFamily{1'000, 1, 12, 28, 2'295'071},
          TFamily{360, 7, 40, 90, 2'295'104}, TFamily{64, 63, 5, 50, 359'844}}) {
        std::vector<std::int64_t> w(3000);
        for (std::int64_t& x : w) {
            x = f.Remainder +
                f.Modulus * std::uniform_int_distribution<std::int64_t>(f.Low, f.High)(rng);
        }
        const TSubsetSumResult r = LargestSubsetSum(w, f.Capacity);
        SCOPED_TRACE(::testing::Message() << "modulus " << f.Modulus);
        EXPECT_TRUE(r.Proven);
        EXPECT_EQ(SumAt(w, r.Chosen), r.Sum);
        EXPECT_EQ(r.Sum, SubsetSumByTable(w, f.Capacity).Sum);
        if (f.Modulus == 1) {
            const TSubsetSumResult small = LargestSubsetSum(w, f.Capacity, {1 << 21, 1, 0});
            EXPECT_TRUE(small.Proven);
            EXPECT_EQ(small.Sum, r.Sum);
        }
    }
}

TEST(SubsetSum, BeyondTheTableTheReducedSearchStillFillsExactly) {
    // Blu-ray sizes with thousands of items, over the table's limits: filled to the sector.
    std::mt19937_64 rng(8);
    const TSubsetSumLimits limits{std::int64_t(1) << 22, 1'500'000'000, 40};
    for (std::int64_t capacity : {12'219'392LL, 62'500'864LL}) {
        std::vector<std::int64_t> w(6000);
        for (std::int64_t& x : w) {
            x = std::uniform_int_distribution<std::int64_t>(2'000, 40'000)(rng) | 1;
        }
        const TSubsetSumResult r = LargestSubsetSum(w, capacity, limits);
        EXPECT_EQ(r.Sum, capacity);
        EXPECT_TRUE(r.Proven);
        EXPECT_EQ(SumAt(w, r.Chosen), capacity);
    }
}

TEST(SubsetSum, HugeWeightsAreSolvedWithoutAHugeTable) {
    // A table up to 2^40 could not be built; meeting in the middle answers at once.
    const std::vector<std::int64_t> w{400'000'000'000, 300'000'000'001, 700'000'000'000,
                                      123'456'789'012, 1'000'000'000'000};
    const TSubsetSumResult r = LargestSubsetSum(w, std::int64_t(1) << 40);
    EXPECT_EQ(r.Sum, BruteLargestSum(w, std::int64_t(1) << 40));
    EXPECT_TRUE(r.Proven);

    // Too many for halves and far too large for a table: a valid answer in bounded memory.
    std::vector<std::int64_t> many(50);
    std::mt19937_64 rng(2);
    for (std::int64_t& x : many) {
        x = std::uniform_int_distribution<std::int64_t>(300'000'000'000, 700'000'000'000)(rng);
    }
    const TSubsetSumResult some = LargestSubsetSum(many, 1'000'000'000'000);
    EXPECT_EQ(SumAt(many, some.Chosen), some.Sum);
    EXPECT_LE(some.Sum, 1'000'000'000'000);
    EXPECT_GE(some.Sum, *std::max_element(many.begin(), many.end()));
}

TEST(SubsetSum, AStoppedSearchGivesAValidSubsetAndNeverClaimsItBest) {
    std::mt19937_64 rng(5);
    std::vector<std::int64_t> w(2'000);
    for (std::int64_t& x : w) {
        x = std::uniform_int_distribution<std::int64_t>(1'000, 900'000)(rng);
    }
    const std::int64_t capacity = 4'000'037;
    std::stop_source stop;
    stop.request_stop();
    const std::span<const std::int64_t> few(w.data(), 30);
    for (const TSubsetSumResult& r : {SubsetSumByTable(w, capacity, stop.get_token()),
                                      SubsetSumByHalves(few, capacity, stop.get_token()),
                                      LargestSubsetSum(w, capacity, {}, stop.get_token()),
                                      LargestSubsetSum(few, capacity, {}, stop.get_token())}) {
        EXPECT_EQ(SumAt(w, r.Chosen), r.Sum);
        EXPECT_LE(r.Sum, capacity);
        EXPECT_TRUE(!r.Proven || r.Sum == capacity); // only a full disc proves itself
    }
    EXPECT_FALSE(SubsetSumByTable(w, capacity, stop.get_token()).Proven);
    EXPECT_FALSE(SubsetSumByHalves(few, capacity, stop.get_token()).Proven);
}

TEST(SubsetSum, NegativeCapacityOrNoWeightsChooseNothing) {
    const std::vector<std::int64_t> w{0, 3};
    EXPECT_TRUE(LargestSubsetSum(w, -1).Chosen.empty());
    EXPECT_TRUE(LargestSubsetSum({}, 10).Chosen.empty());
    EXPECT_EQ(LargestSubsetSum(w, 0).Chosen, (std::vector<std::size_t>{0}));
}

} // namespace
} // namespace platterwise
