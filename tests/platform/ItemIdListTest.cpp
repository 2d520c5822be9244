// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ItemIdList.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

TIdListPtr Empty() {
    return IdListAlloc(2);
}

TEST(ItemIdList, EmptyListIsTheTerminatorAlone) {
    const TIdListPtr empty = Empty();
    EXPECT_EQ(IdListSize(empty.get()), 2u);
    EXPECT_EQ(IdListCount(empty.get()), 0);
    EXPECT_EQ(IdListBytes(empty.get()), QByteArray(2, '\0'));
    EXPECT_EQ(IdListSize(nullptr), 0u);
    EXPECT_EQ(IdListCount(nullptr), 0);
}

TEST(ItemIdList, OneIdentifierHasItsCountThenDataThenTheTerminator) {
    const TIdListPtr one = IdListFromData("abc");
    EXPECT_EQ(IdListBytes(one.get()), QByteArray("\x05\x00"
                                                 "abc"
                                                 "\x00\x00",
                                                 7));
    EXPECT_EQ(IdByteCount(one.get()), 5u);
    EXPECT_EQ(IdData(one.get()), "abc");
    EXPECT_EQ(IdByteCount(IdListNext(one.get())), 0u);
}

TEST(ItemIdList, ConcatOfEmptyAndOneIsThatOne) {
    const TIdListPtr one = IdListFromData("x");
    const TIdListPtr joined = IdListConcat(Empty().get(), one.get());
    EXPECT_EQ(IdListBytes(joined.get()), IdListBytes(one.get()));
    const TIdListPtr fromNone = IdListConcat(nullptr, one.get());
    EXPECT_EQ(IdListBytes(fromNone.get()), IdListBytes(one.get()));
}

TEST(ItemIdList, ConcatCopyAndLastKeepEveryIdentifierInOrder) {
    const TIdListPtr a = IdListFromData("first");
    const TIdListPtr b = IdListFromData("second-id");
    const TIdListPtr ab = IdListConcat(a.get(), b.get());
    EXPECT_EQ(IdListCount(ab.get()), 2);
    EXPECT_EQ(IdListSize(ab.get()), 7u + 11u + 2u);
    EXPECT_EQ(IdData(ab.get()), "first");
    EXPECT_EQ(IdData(IdListNext(ab.get())), "second-id");
    EXPECT_EQ(IdListBytes(IdListCopy(ab.get()).get()), IdListBytes(ab.get()));
    EXPECT_EQ(IdListBytes(IdListLast(ab.get()).get()), IdListBytes(b.get()));
    EXPECT_EQ(IdListBytes(IdListLast(Empty().get()).get()), QByteArray(2, '\0'));
}

TEST(ItemIdList, StripLastDropsOnlyTheLastIdentifier) {
    const TIdListPtr ab = IdListConcat(IdListFromData("a").get(), IdListFromData("b").get());
    IdListStripLast(ab.get());
    EXPECT_EQ(IdListCount(ab.get()), 1);
    EXPECT_EQ(IdData(ab.get()), "a");
    IdListStripLast(ab.get());
    EXPECT_EQ(IdListCount(ab.get()), 0);
    EXPECT_EQ(IdListSize(ab.get()), 2u);
    IdListStripLast(ab.get()); // empty: unchanged
    EXPECT_EQ(IdListCount(ab.get()), 0);
    IdListStripLast(nullptr);
}

TEST(ItemIdList, DataTooLongForTheCountGivesNoList) {
    EXPECT_FALSE(IdListFromData(QByteArray(0xFFFE, 'x')));
    EXPECT_TRUE(IdListFromData(QByteArray(0xFFFD, 'x')));
}

} // namespace
} // namespace platterwise
