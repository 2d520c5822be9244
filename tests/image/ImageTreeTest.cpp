// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/ImageTree.h"

#include "image/XorrisoLimits.h"
#include "tests/support/EngineFakes.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
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

// A tree wide enough to be read on several threads holds exactly what the disk holds, each
// folder's children after it, together, in descending name order.
TEST(ImageTree, AWideTreeReadOnSeveralThreadsHoldsWhatTheDiskHolds) {
    TempDir dir;
    std::set<std::string> onDisk;
    for (int album = 0; album < 150; ++album) {
        const std::string folder = "wide/album " + std::to_string(album);
        for (const char* track : {"/01.flac", "/02.flac", "/CD2/01.flac"}) {
            dir.File(folder + track, album + 1);
            onDisk.insert(folder + track);
        }
        onDisk.insert(folder);
        onDisk.insert(folder + "/CD2");
    }
    dir.Link("wide/album 7/back", "../album 8");
    onDisk.insert("wide/album 7/back");
    for (const char* track : {"/01.flac", "/02.flac", "/CD2", "/CD2/01.flac"}) {
        onDisk.insert(std::string("wide/album 7/back") + track);
    }
    const TImageTree tree = ReadImageTree(dir / "wide", {});
    std::vector<std::string> paths(tree.Nodes.size());
    std::set<std::string> read;
    for (std::size_t i = 0; i < tree.Nodes.size(); ++i) {
        const TImageNode& node = tree.Nodes[i];
        if (i == 0) {
            paths[i] = "wide";
            continue;
        }
        ASSERT_LT(node.Parent, i);
        ASSERT_EQ(tree.Nodes[node.Parent].Kind, TImageEntryKind::Folder);
        if (tree.Nodes[i - 1].Parent == node.Parent) {
            EXPECT_GT(tree.Name(tree.Nodes[i - 1]), tree.Name(node));
        } else {
            // A new run of children: its folder had none before.
            for (std::size_t k = 1; k < i; ++k) {
                ASSERT_NE(tree.Nodes[k].Parent, node.Parent);
            }
        }
        paths[i] = paths[node.Parent] + "/" + std::string(tree.Name(node));
        read.insert(paths[i]);
    }
    EXPECT_EQ(read, onDisk);
    std::int64_t bytes = 0;
    for (int album = 0; album < 150; ++album) {
        bytes += 3 * (album + 1);
    }
    EXPECT_EQ(TreeBytes(tree), bytes); // the folder a link leads to counts once
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
