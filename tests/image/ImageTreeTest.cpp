// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/ImageTree.h"

#include "image/XorrisoLimits.h"
#include "tests/support/EngineFakes.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace platterwise {
namespace {

using testing::TempDir;

std::map<std::string, TTreeFault> ReadProblems(const std::string& path, TImageTree& tree) {
    std::map<std::string, TTreeFault> found;
    tree = ReadImageTree(path, [&](const TTreeProblem& p) { found.emplace(p.Path, p.Fault); });
    return found;
}

// The one read finds everything an image cannot take, leaves each out and reads on, so the
// disc job knows every refusal before its search starts.
TEST(ImageTree, OneReadFindsEveryProblemAndKeepsTheRest) {
    TempDir dir;
    dir.File("item/a.flac", 100);
    dir.File("item/sub/b.flac", 50);
    dir.Link("item/long", std::string(1'024, 'x'));
    dir.Link("item/sub/name", "a/" + std::string(256, 'y'));
    dir.Link("item/broken", "nowhere"); // a link on the disc, nothing amiss
    dir.File("item/huge.bin", kLargestXorrisoFile + 1);
    std::string deep = "item/deep";
    for (int level = 0; level < 16; ++level) {
        deep += "/" + std::string(250, char('a' + level));
    }
    dir.Folder(deep);
    const int folder = ::open((dir / deep).c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    ::close(::openat(folder, std::string(100, 't').c_str(), O_CREAT | O_WRONLY, 0644));
    ::close(folder);
    deep += "/" + std::string(100, 't');

    TImageTree tree;
    const auto found = ReadProblems(dir / "item", tree);
    EXPECT_EQ(found, (std::map<std::string, TTreeFault>{
                         {dir / "item/long", TTreeFault::LinkTargetTooLong},
                         {dir / "item/sub/name", TTreeFault::LinkTargetNameTooLong},
                         {dir / "item/huge.bin", TTreeFault::FileTooLarge},
                         {dir / deep, TTreeFault::PathTooLong},
                     }));
    EXPECT_EQ(TreeBytes(tree), 150);
    for (const TImageNode& node : tree.Nodes) {
        EXPECT_NE(tree.Name(node), "long");
        EXPECT_NE(tree.Name(node), "huge.bin");
    }

    const auto missing = ReadProblems(dir / "gone", tree);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing.begin()->second, TTreeFault::CannotRead);
    EXPECT_TRUE(tree.Nodes.empty());
}

TEST(ImageTree, AStopEndsTheReadWithinAThousandEntries) {
    TempDir dir;
    dir.Folder("wide");
    for (int i = 0; i < 2'000; ++i) {
        ::close(::open((dir / "wide/f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644));
    }
    EXPECT_EQ(ReadImageTree(dir / "wide", {}).Nodes.size(), 2'001u);
    std::stop_source stop;
    stop.request_stop();
    EXPECT_LE(ReadImageTree(dir / "wide", {}, stop.get_token()).Nodes.size(), 1'025u);
}

} // namespace
} // namespace platterwise
