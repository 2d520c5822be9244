// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Selection.h"

#include "tests/support/EngineFakes.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using testing::FakeMeter;
using testing::FakeRow;
using testing::FakeSource;

TEST(CollectSelection, TakesSelectedRowsInRowOrderWithKindsSizesAndCounts) {
    FakeSource source({{"/m/a", true, false},
                       {"/m/b.flac", false, true},
                       {"/m/c", true, true},
                       {"/m/d.cue", false, false},
                       {"/m/e.log", false, true}});
    FakeMeter meter;
    meter.Sizes = {{"/m/a", 1}, {"/m/b.flac", 200}, {"/m/c", 3000}, {"/m/e.log", 40000}};

    const TSelection s = CollectSelection(source, meter);
    ASSERT_EQ(s.Items.size(), 3u);
    EXPECT_EQ(s.Items[0].Index, 1);
    EXPECT_EQ(s.Items[0].Path, "/m/b.flac");
    EXPECT_EQ(s.Items[0].Kind, ikFile);
    EXPECT_EQ(s.Items[0].Size, 200);
    EXPECT_EQ(s.Items[1].Index, 2);
    EXPECT_EQ(s.Items[1].Kind, ikFolder);
    EXPECT_EQ(s.Items[1].Size, 3000);
    EXPECT_EQ(s.Items[2].Index, 3);
    EXPECT_EQ(s.Items[2].Path, "/m/e.log");
    EXPECT_EQ(s.Total, 43200);
    EXPECT_EQ(s.FolderCount, 1);
    EXPECT_EQ(s.FileCount, 2);
    EXPECT_EQ(meter.FolderQueries, 1);
    EXPECT_EQ(meter.FileQueries, 2);
    for (const auto& item : s.Items)
        EXPECT_FALSE(item.Drawn);
}

TEST(CollectSelection, KeepsEverySelectedRowBeyondTenThousand) {
    FakeSource source;
    for (int i = 0; i < 10'005; ++i)
        source.Rows.push_back({"/f" + std::to_string(i), false, true});
    FakeMeter meter;
    const TSelection s = CollectSelection(source, meter);
    ASSERT_EQ(s.Items.size(), 10'005u);
    EXPECT_EQ(s.Items.back().Index, 10'005);
    EXPECT_EQ(s.Items.back().Path, "/f10004");
}

TEST(CollectSelection, MeasuresTheRealFileSystemByDefault) {
    testing::TempDir dir;
    dir.File("album/1.flac", 1'000'000);
    dir.File("album/2.flac", 2'000'000);
    dir.File("single.ape", 333);
    FakeSource source({{dir / "album", true, true}, {dir / "single.ape", false, true}});
    const TSelection s = CollectSelection(source);
    EXPECT_EQ(s.Items[0].Size, 3'000'000);
    EXPECT_EQ(s.Items[1].Size, 333);
    EXPECT_EQ(s.Total, 3'000'333);
}

TEST(CollectSelection, NoSelectionGivesNothing) {
    FakeSource source({{"/a", true, false}});
    EXPECT_FALSE(AnyRowSelected(source));
    const TSelection s = CollectSelection(source, FakeMeter{});
    EXPECT_TRUE(s.Items.empty());
    EXPECT_EQ(s.Total, 0);
}

TEST(LastPathComponent, IsTheNameAfterTheLastSeparator) {
    EXPECT_EQ(LastPathComponent("/music/2010"), "2010");
    EXPECT_EQ(LastPathComponent("/music/a.b.flac"), "a.b.flac");
    EXPECT_EQ(LastPathComponent("/"), "");
    EXPECT_EQ(LastPathComponent("/media/disc/"), "");
    EXPECT_EQ(LastPathComponent("plain"), "plain");
}

} // namespace
} // namespace platterwise
