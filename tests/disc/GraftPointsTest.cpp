// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/GraftPoints.h"

#include "DiscTestSupport.h"
#include "disc/DiscError.h"
#include "disc/RootNames.h"
#include "disc/TreeProblems.h"
#include "tests/support/EngineFakes.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace platterwise {
namespace {

TEST(RootNames, LaterItemsOfATakenNameAreNumberedInSelectionOrder) {
    EXPECT_EQ(ResolveRootNames({{"CD1", true},
                                {"CD1", true},
                                {"track.flac", false},
                                {"CD1", true},
                                {"track.flac", false},
                                {".hidden", false},
                                {".hidden", false},
                                {"CD1 (3)", true}}),
              (std::vector<std::string>{"CD1", "CD1 (2)", "track.flac", "CD1 (4)", "track (2).flac",
                                        ".hidden", ".hidden (2)", "CD1 (3)"}));
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
