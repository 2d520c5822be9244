// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FullestDisc.h"

#include "ExactFillFakes.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::BruteLargestSum;
using testing::SmallWeights;
using testing::SumAt;

// An exact size that is the planned size plus an excess that depends on the set: 0 for some
// sets, `excess` for others, as an image whose directories grow past a sector boundary.
struct FakeImage {
    const TFillProblem& Problem;
    std::int64_t Excess = 0;
    std::uint64_t Salt = 0;
    mutable int Calls = 0;

    std::int64_t operator()(const std::vector<std::size_t>& chosen) const {
        ++Calls;
        std::uint64_t h = Salt;
        for (std::size_t k : chosen) {
            h = h * 1'000'003 + k + 1;
        }
        const std::int64_t planned = Problem.FixedSectors + SumAt(Problem.ItemSectors, chosen);
        return planned + ((h >> 7) % 3 == 0 ? Excess : 0);
    }
};

std::vector<std::int64_t> ItemsWithin(const TFillProblem& p, std::int64_t room) {
    std::vector<std::int64_t> w;
    for (std::int64_t s : p.ItemSectors) {
        if (s <= room) {
            w.push_back(s);
        }
    }
    return w;
}

TEST(FullestDisc, MatchesBruteForceAndTightensWhenTheImageIsLarger) {
    std::mt19937_64 rng(21);
    for (int round = 0; round < 500; ++round) {
        TFillProblem p{SmallWeights(rng, 12),
                       std::uniform_int_distribution<std::int64_t>(0, 30)(rng),
                       std::uniform_int_distribution<std::int64_t>(0, 250)(rng)};
        const std::int64_t excess = round % 2 == 0 ? 0 : round % 3 + 1;
        const FakeImage image{p, excess, std::uint64_t(round)};
        const TFilledDisc d = FindFullestDisc(p, std::cref(image));
        SCOPED_TRACE(::testing::Message() << "round " << round);

        const std::int64_t room = p.CapacitySectors - p.FixedSectors;
        std::vector<std::size_t> tooLarge;
        for (std::size_t k = 0; k < p.ItemSectors.size(); ++k) {
            if (p.ItemSectors[k] > room) {
                tooLarge.push_back(k);
            }
        }
        EXPECT_EQ(d.TooLarge, tooLarge);
        const std::vector<std::int64_t> usable = ItemsWithin(p, room);
        if (usable.empty()) {
            EXPECT_EQ(d.Status, TFillStatus::NothingFits);
            EXPECT_TRUE(d.Chosen.empty());
            continue;
        }
        // With excesses of 0 and E only, one tightening by E makes any set fit.
        if (d.Status == TFillStatus::GaveUp) {
            EXPECT_TRUE(ItemsWithin(p, room - excess).empty());
            EXPECT_TRUE(d.Chosen.empty());
            continue;
        }
        ASSERT_EQ(d.Status, TFillStatus::Filled);
        EXPECT_EQ(d.PlannedSectors, p.FixedSectors + SumAt(p.ItemSectors, d.Chosen));
        EXPECT_EQ(d.ImageSectors, image(d.Chosen));
        EXPECT_TRUE(d.Verified);
        EXPECT_LE(d.ImageSectors, p.CapacitySectors);
        EXPECT_EQ(d.SpareSectors, p.CapacitySectors - d.ImageSectors);
        EXPECT_GE(d.PlannedSectors - p.FixedSectors, BruteLargestSum(usable, room - excess));
        EXPECT_LE(d.Rounds, excess == 0 ? 1 : 2);
        EXPECT_EQ(image.Calls - 1, d.Rounds); // one measurement per round, plus ours above
        if (d.Rounds == 1) {
            EXPECT_EQ(d.PlannedSectors - p.FixedSectors, BruteLargestSum(usable, room));
        }
        // After a tightening, sets between the two capacities were never measured.
        EXPECT_EQ(d.Proven, d.Rounds == 1 || d.SpareSectors == 0);
        for (std::size_t k = 0; k < p.ItemSectors.size(); ++k) {
            const bool on = std::find(d.Chosen.begin(), d.Chosen.end(), k) != d.Chosen.end();
            if (p.ItemSectors[k] == 0) {
                EXPECT_TRUE(on) << "an item of no cost is always on the disc";
            }
        }
    }
}

TEST(FullestDisc, ALargerImageTightensByWhatThePlanMissed) {
    // Exactly full by plan (4 + 6), but every image is 2 sectors larger than planned: the next
    // search leaves room for them, and 3 + 5 = 8 with its 2 sectors fills the disc again.
    const TFillProblem p{{4, 6, 3, 5, 9}, 0, 10};
    int calls = 0;
    const TFilledDisc d = FindFullestDisc(p, [&](const std::vector<std::size_t>& chosen) {
        ++calls;
        return SumAt(p.ItemSectors, chosen) + 2;
    });
    EXPECT_EQ(d.Status, TFillStatus::Filled);
    EXPECT_EQ(d.Rounds, 2);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(d.PlannedSectors, 8);
    EXPECT_EQ(d.ImageSectors, 10);
    EXPECT_EQ(d.SpareSectors, 0);
    EXPECT_TRUE(d.Proven); // full to the last sector
}

TEST(FullestDisc, ASmallerImageWidensTheSearchToASetPlannedBeyondTheDisc) {
    // Each item is planned a sector above what it takes. 5 + 5 + 5 + 5 fills the plan and
    // measures 16; widened by those 4, 5 + 5 + 5 + 7 = 22 measures 18, and widened by 2 more,
    // 24 is what it found already.
    const TFillProblem p{{5, 5, 5, 5, 7}, 0, 20};
    const auto image = [&](const std::vector<std::size_t>& chosen) {
        return SumAt(p.ItemSectors, chosen) - std::int64_t(chosen.size());
    };
    const TFilledDisc d = FindFullestDisc(p, image);
    EXPECT_EQ(d.Status, TFillStatus::Filled);
    EXPECT_EQ(d.PlannedSectors, 22);
    EXPECT_EQ(d.ImageSectors, 18);
    EXPECT_EQ(d.SpareSectors, 2);
    EXPECT_FALSE(d.Proven);
    EXPECT_EQ(d.Rounds, 2);
}

TEST(FullestDisc, WideningNeverPassesTheDiscNorMeasuresLessThanThePlannedBest) {
    std::mt19937_64 rng(5);
    for (int round = 0; round < 300; ++round) {
        const TFillProblem p{SmallWeights(rng, 12),
                             std::uniform_int_distribution<std::int64_t>(0, 30)(rng),
                             std::uniform_int_distribution<std::int64_t>(0, 250)(rng)};
        // Over-planned by up to 3 sectors a set, depending on the set.
        const auto image = [&](const std::vector<std::size_t>& chosen) {
            std::uint64_t h = std::uint64_t(round);
            for (std::size_t k : chosen) {
                h = h * 1'000'003 + k + 1;
            }
            return p.FixedSectors + SumAt(p.ItemSectors, chosen) - std::int64_t((h >> 9) % 4);
        };
        const TFilledDisc planned = FindFullestDisc(p);
        const TFilledDisc d = FindFullestDisc(p, image);
        SCOPED_TRACE(::testing::Message() << "round " << round);
        ASSERT_EQ(d.Status, planned.Status);
        if (d.Status != TFillStatus::Filled) {
            continue;
        }
        EXPECT_EQ(d.ImageSectors, image(d.Chosen));
        EXPECT_LE(d.ImageSectors, p.CapacitySectors);
        EXPECT_GE(d.ImageSectors, image(planned.Chosen));
        EXPECT_LE(d.Rounds, 1 + kMaxWidenRounds);
    }
}

TEST(FullestDisc, AnImageThatNeverFitsEndsInBoundedRounds) {
    const TFillProblem p{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5, 1000};
    int calls = 0;
    const TFilledDisc d = FindFullestDisc(p, [&](const std::vector<std::size_t>&) {
        ++calls;
        return std::int64_t(1001);
    });
    EXPECT_EQ(d.Status, TFillStatus::GaveUp);
    EXPECT_TRUE(d.Chosen.empty());
    EXPECT_LE(calls, kMaxFillRounds);
    EXPECT_EQ(d.Rounds, calls);
}

TEST(FullestDisc, TooLargeItemsAreNamedAndTheRestFills) {
    // The fixed cost counts: 95 + 6 > 100 although 6 alone is below the capacity.
    const TFilledDisc d = FindFullestDisc({{6, 120, 2, 3, 5}, 95, 100});
    EXPECT_EQ(d.TooLarge, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(d.Chosen, (std::vector<std::size_t>{2, 3}));
    EXPECT_FALSE(d.Verified);
    EXPECT_EQ(d.ImageSectors, 100);
    EXPECT_EQ(d.SpareSectors, 0);

    const TFilledDisc none = FindFullestDisc({{6, 7}, 95, 100});
    EXPECT_EQ(none.Status, TFillStatus::NothingFits);
    EXPECT_EQ(none.TooLarge, (std::vector<std::size_t>{0, 1}));
    const TFilledDisc imageAlone = FindFullestDisc({{0}, 101, 100});
    EXPECT_EQ(imageAlone.Status, TFillStatus::NothingFits);
    EXPECT_EQ(FindFullestDisc({{}, 0, 100}).Status, TFillStatus::NothingFits);
}

TEST(FullestDisc, TenItemsOfAThousandMbFillADvdWithFour) {
    // 1,000,000,000 bytes are 488,282 sectors (plus a few for their records): four fit.
    const TFillProblem p{std::vector<std::int64_t>(10, 488'283), 210, 2'295'104};
    const TFilledDisc d = FindFullestDisc(p);
    EXPECT_EQ(d.Status, TFillStatus::Filled);
    EXPECT_EQ(d.Chosen.size(), 4u);
    EXPECT_EQ(d.SpareSectors, 2'295'104 - 210 - 4 * 488'283);
    EXPECT_TRUE(d.Proven);
}

} // namespace
} // namespace platterwise
