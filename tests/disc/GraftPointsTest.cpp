// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/GraftPoints.h"

#include "DiscTestSupport.h"
#include "disc/DiscError.h"
#include "disc/FirstIndex.h"
#include "disc/RootNames.h"
#include "disc/TreeProblems.h"
#include "tests/support/EngineFakes.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace platterwise {
namespace {

// Against a map, on enough keys that the table's probes wrap and collide.
TEST(RootNames, FirstIndexFindsTheFirstOfEqualKeys) {
    std::vector<std::string> keys;
    for (int i = 0; i < 5000; ++i) {
        keys.push_back(i % 7 == 0 ? "" : std::to_string((i * 7919) % 1201));
    }
    const TFirstIndex index(std::vector<std::string_view>(keys.begin(), keys.end()));
    std::map<std::string, std::size_t> first;
    std::map<std::string, int> count;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        first.try_emplace(keys[i], i);
        ++count[keys[i]];
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ASSERT_EQ(index.FirstOf(i), first.at(keys[i])) << i;
        ASSERT_EQ(index.Repeated(i), count.at(keys[i]) > 1) << i;
    }
    EXPECT_EQ(index.Find("1200"), first.at("1200"));
    EXPECT_EQ(index.Find(""), 0U);
    EXPECT_FALSE(index.Find("1201").has_value());
}

TEST(RootNames, LaterItemsOfATakenNameAreNumberedInSelectionOrder) {
    EXPECT_EQ(
        ResolveRootNames({{"CD1", true},
                          {"CD1", true},
                          {"track.flac", false},
                          {"CD1", true},
                          {"track.flac", false},
                          {".hidden", false},
                          {".hidden", false},
                          {"CD1 (3)", true},
                          {"CD1", false},
                          {"CD1", true}}),
        (std::vector<std::string>{"CD1", "CD1 (2)", "track.flac", "CD1 (4)", "track (2).flac",
                                  ".hidden", ".hidden (2)", "CD1 (3)", "CD1 (5)", "CD1 (6)"}));
    // A folder's dot is part of its name; a name at the length limit gives way to the number
    // at a character boundary, never splitting "é".
    const std::string longName = std::string(251, 'x') + "é";
    const std::vector<std::string> names =
        ResolveRootNames({{"v1.0", true}, {"v1.0", true}, {longName, true}, {longName, true}});
    EXPECT_EQ(names[1], "v1.0 (2)");
    EXPECT_EQ(names[3], std::string(251, 'x') + " (2)");
    EXPECT_EQ(ItemName("/music/album/"), "album");
    EXPECT_EQ(ItemName("/"), "");
}

// A renamed item's inner paths grow with its name: "CD1 (2)" can pass xorriso's limit where
// "CD1" did not.
TEST(RootNames, LongestImagePathCountsTheNameTheItemStandsUnder) {
    testing::TempDir dir;
    const std::string inner = std::string(200, 'a') + "/" + std::string(100, 'b');
    dir.File("CD1/" + inner + "/01.flac", 1);
    dir.File("CD1/short.flac", 1);
    const TImageTree tree = ReadImageTree(dir / "CD1");
    const std::size_t longest = std::string("/CD1/" + inner + "/01.flac").size();
    EXPECT_EQ(LongestImagePath(tree, "CD1"), longest);
    EXPECT_EQ(LongestImagePath(tree, "CD1 (2)"), longest + 4);
}

TEST(RootNames, DiskPathsAreAbsoluteWithDotsResolvedAsTheFileSystemDoes) {
    const testing::TempDir dir;
    dir.Folder("real/sub");
    dir.Folder("real/item");
    dir.Link("link", "real/sub");
    const std::string root = std::filesystem::canonical(dir.Path()).string();
    // xorriso would take "link/.." as the folder holding "link"; the file system goes to
    // the folder holding "sub".
    EXPECT_EQ(GraftDiskPath(dir / "link/../item"), root + "/real/item");
    EXPECT_EQ(GraftDiskPath(dir / "real/./item/"), root + "/real/item");
    EXPECT_EQ(GraftDiskPath(dir / "real/sub/.."), root + "/real");
    EXPECT_EQ(GraftDiskPath(root + "/link"), root + "/link");
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(dir.Path());
    EXPECT_EQ(GraftDiskPath("real"), root + "/real");
    std::filesystem::current_path(cwd);
}

TEST(GraftPoints, EscapeWhatXorrisoSplitsOnAndRefuseWhatALineCannotCarry) {
    EXPECT_EQ(GraftPointList({{"a=b\\c", "/music/a=b\\c"}, {"Ж 1", "/m/Ж 1"}}),
              "/a\\=b\\\\c=/music/a\\=b\\\\c\n/Ж 1=/m/Ж 1\n");
    EXPECT_THROW(CheckGraftPoint({"a\nb", "/m/a\nb"}), TDiscError);
    EXPECT_THROW(CheckGraftPoint({"a", "/m/a\r"}), TDiscError);
    EXPECT_NO_THROW(CheckGraftPoint({"a\rb", "/m/a\rb"}));
    EXPECT_THROW(CheckGraftPoint({"a", "/" + std::string(4093, 'm')}), TDiscError);
    EXPECT_NO_THROW(CheckGraftPoint({"a", "/" + std::string(4090, 'm')}));
    try {
        CheckGraftPoint({"x\ny", "/m/x\ny"});
    } catch (const TDiscError& error) {
        EXPECT_EQ(std::string(error.what()).find('\n'), std::string::npos);
        EXPECT_NE(std::string(error.what()).find("\"/m/x\\ny\""), std::string::npos);
    }
}

} // namespace
} // namespace platterwise
