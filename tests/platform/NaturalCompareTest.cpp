// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NaturalCompare.h"

#include <QByteArrayList>
#include <algorithm>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

QByteArrayList Sorted(QByteArrayList names) {
    std::sort(names.begin(), names.end(),
              [](const QByteArray& a, const QByteArray& b) { return NaturalCompare(a, b) < 0; });
    return names;
}

TEST(NaturalCompare, NumbersCompareByValueAndLettersIgnoreCase) {
    EXPECT_EQ(Sorted({"track10.flac", "Track2.flac", "track1.flac", "TRACK01.flac"}),
              QByteArrayList({"track1.flac", "TRACK01.flac", "Track2.flac", "track10.flac"}));
    EXPECT_EQ(Sorted({"b", "A", "c", "B"}), QByteArrayList({"A", "B", "b", "c"}));
    EXPECT_LT(NaturalCompare("disc", "disc 2"), 0);
    EXPECT_GT(NaturalCompare("abc", "ab1"), 0);
}

TEST(NaturalCompare, CyrillicIgnoresCaseToo) {
    const QByteArray lower = QStringLiteral("альбом 9").toUtf8();
    const QByteArray upper = QStringLiteral("АЛЬБОМ 10").toUtf8();
    EXPECT_LT(NaturalCompare(lower, upper), 0);
    EXPECT_NE(NaturalCompare(QStringLiteral("Я").toUtf8(), QStringLiteral("я").toUtf8()), 0);
    EXPECT_LT(NaturalCompare(QStringLiteral("б").toUtf8(), QStringLiteral("В").toUtf8()), 0);
    // An ASCII start decides alone; a letter beyond ASCII after it still folds.
    EXPECT_LT(NaturalCompare(QStringLiteral("disc 2 – я").toUtf8(),
                             QStringLiteral("Disc 10 – a").toUtf8()),
              0);
    EXPECT_LT(
        NaturalCompare(QStringLiteral("disc 2 я").toUtf8(), QStringLiteral("DISC 02 Я").toUtf8()),
        0);
}

TEST(NaturalCompare, IsZeroOnlyForEqualBytesAndIsAntisymmetric) {
    const QByteArrayList names{"a", "A", "a1", "a01", "\xff\xfe", "\xff", "", "10", "9"};
    for (const QByteArray& x : names) {
        for (const QByteArray& y : names) {
            EXPECT_EQ(NaturalCompare(x, y) == 0, x == y)
                << x.toHex().constData() << " " << y.toHex().constData();
            EXPECT_EQ(NaturalCompare(x, y), -NaturalCompare(y, x));
        }
    }
}

} // namespace
} // namespace platterwise
