// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/IntConvert.h"

#include <gtest/gtest.h>
#include <limits>

namespace platterwise {
namespace {

TEST(IntConvert, AcceptsDecimalHexAndSignsAfterLeadingBlanks) {
    EXPECT_EQ(TryStrToInt("25"), 25);
    EXPECT_EQ(TryStrToInt(" 25"), 25);
    EXPECT_EQ(TryStrToInt("   -7"), -7);
    EXPECT_EQ(TryStrToInt("+7"), 7);
    EXPECT_EQ(TryStrToInt("$10"), 16);
    EXPECT_EQ(TryStrToInt("x1F"), 31);
    EXPECT_EQ(TryStrToInt("X1f"), 31);
    EXPECT_EQ(TryStrToInt("0x10"), 16);
    EXPECT_EQ(TryStrToInt("0X10"), 16);
    EXPECT_EQ(TryStrToInt("-$10"), -16);
    EXPECT_EQ(TryStrToInt("0"), 0);
    EXPECT_EQ(TryStrToInt("007"), 7);
}

TEST(IntConvert, RejectsEmptyTrailingAndForeignCharacters) {
    for (const char* bad : {"", " ", "-", "+", "$", "0x", "x", "25 ", "2 5", "25a", "1e3", "$G",
                            "\t25", "--1", "+-1", "0x-1", "1.0", "00x10"})
        EXPECT_EQ(TryStrToInt(bad), std::nullopt) << '"' << bad << '"';
}

TEST(IntConvert, RangeIsTheTargetType) {
    EXPECT_EQ(TryStrToInt("2147483647"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TryStrToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TryStrToInt("2147483648"), std::nullopt);
    EXPECT_EQ(TryStrToInt("-2147483649"), std::nullopt);
    EXPECT_EQ(TryStrToInt("$7FFFFFFF"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TryStrToInt("$80000000"), std::nullopt);
    EXPECT_EQ(TryStrToInt("99999999999999999999999"), std::nullopt);

    EXPECT_EQ(TryStrToInt64("2147483648"), 2147483648LL);
    EXPECT_EQ(TryStrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TryStrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(TryStrToInt64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(TryStrToInt64("0x7fffffffffffffff"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TryStrToInt64("0x8000000000000000"), std::nullopt);
}

} // namespace
} // namespace platterwise
