// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Units.h"

#include <gtest/gtest.h>
#include <limits>

namespace platterwise {
namespace {

TEST(GroupThousands, PutsACommaBetweenGroupsOfThree) {
    EXPECT_EQ(GroupThousands(0), "0");
    EXPECT_EQ(GroupThousands(7), "7");
    EXPECT_EQ(GroupThousands(999), "999");
    EXPECT_EQ(GroupThousands(1000), "1,000");
    EXPECT_EQ(GroupThousands(123456), "123,456");
    EXPECT_EQ(GroupThousands(999999), "999,999");
    EXPECT_EQ(GroupThousands(1000000), "1,000,000");
    EXPECT_EQ(GroupThousands(4700000000), "4,700,000,000");
    EXPECT_EQ(GroupThousands(std::numeric_limits<std::int64_t>::max()),
              "9,223,372,036,854,775,807");
}

TEST(GroupThousands, KeepsTheSignOfNegativeValuesInFront) {
    EXPECT_EQ(GroupThousands(-1000), "-1,000");
    EXPECT_EQ(GroupThousands(-999), "-999");
    EXPECT_EQ(GroupThousands(std::numeric_limits<std::int64_t>::min()),
              "-9,223,372,036,854,775,808");
}

TEST(Units, MbIsOneMillionBytesAndTruncatesTowardZero) {
    EXPECT_EQ(MbToBytes(4483), 4483000000);
    EXPECT_EQ(BytesToMb(4700999999), 4700);
    EXPECT_EQ(BytesToMb(999999), 0);
    EXPECT_EQ(BytesToMb(-999999), 0);
}

TEST(Units, ArithmeticHoldsAtTheLimitsInsteadOfWrapping) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    constexpr auto min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(MbToBytes(max / 1000), max);
    EXPECT_EQ(MbToBytes(min / 1000), min);
    EXPECT_EQ(SaturatingAdd(max, 1), max);
    EXPECT_EQ(SaturatingAdd(min, -1), min);
    EXPECT_EQ(SaturatingSub(min, 1), min);
    EXPECT_EQ(SaturatingSub(max, -1), max);
    EXPECT_EQ(SaturatingSub(10, 3), 7);
}

} // namespace
} // namespace platterwise
