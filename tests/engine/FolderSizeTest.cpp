#include "engine/FolderSize.h"

#include "tests/support/EngineFakes.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise {
namespace {

using testing::TempDir;

std::int64_t Walk(const std::string& path) {
    std::int64_t sum = 0;
    SumFolderSize(path, sum);
    return sum;
}

TEST(SumFolderSize, EmptyTreesCountNothing) {
    TempDir dir;
    dir.Folder("empty");
    dir.Folder("hollow/a/b/c");
    dir.Folder("hollow/d");
    EXPECT_EQ(Walk(dir / "empty"), 0);
    EXPECT_EQ(Walk(dir / "hollow"), 0);
}

TEST(SumFolderSize, CountsEveryFileAtAnyDepthHiddenOnesIncluded) {
    TempDir dir;
    dir.File("album/01.flac", 1000);
    dir.File("album/.hidden", 20);
    dir.File("album/.cache/deep/x/y/z/last.bin", 300);
    dir.File("album/cd2/02.flac", 4000);
    EXPECT_EQ(Walk(dir / "album"), 5320);
}

TEST(SumFolderSize, AddsToTheCallersAccumulator) {
    TempDir dir;
    dir.File("a/f", 10);
    std::int64_t sum = 5;
    SumFolderSize(dir / "a", sum);
    EXPECT_EQ(sum, 15);
}

TEST(SumFolderSize, SizesBeyondFourGigabytesArePrecise) {
    TempDir dir;
    dir.File("big/sparse.iso", 5'000'000'123LL);
    EXPECT_EQ(Walk(dir / "big"), 5'000'000'123LL);
}

TEST(SumFolderSize, PathsThatAreNotReadableFoldersCountNothing) {
    TempDir dir;
    dir.File("plain.txt", 99);
    EXPECT_EQ(Walk(dir / "missing"), 0);
    EXPECT_EQ(Walk(dir / "plain.txt"), 0);
    EXPECT_EQ(Walk(""), 0);
}

TEST(SumFolderSize, TrailingSeparatorMakesNoDifference) {
    TempDir dir;
    dir.File("a/b/c", 7);
    EXPECT_EQ(Walk(dir / "a/"), 7);
}

TEST(SumFolderSize, FollowsLinksToFilesAndFoldersAndSkipsBrokenOnes) {
    TempDir dir;
    dir.File("outside/target.bin", 500);
    dir.File("outside/sub/more.bin", 50);
    dir.File("tree/own.bin", 1);
    dir.Link("tree/file-link", dir / "outside/target.bin");
    dir.Link("tree/folder-link", dir / "outside");
    dir.Link("tree/broken", dir / "nowhere");
    // the file link counts 500, the folder link 550
    EXPECT_EQ(Walk(dir / "tree"), 1 + 500 + 550);
}

TEST(SumFolderSize, LinkCyclesAreNotEnteredAgain) {
    TempDir dir;
    dir.File("loop/a.bin", 10);
    dir.File("loop/sub/b.bin", 20);
    dir.Link("loop/sub/up", "..");  // back to loop
    dir.Link("loop/sub/self", "."); // back to sub
    dir.Link("loop/again", dir / "loop");
    EXPECT_EQ(Walk(dir / "loop"), 30);
}

TEST(SumFolderSize, TheSameFolderReachedTwiceAlongDifferentWaysCountsTwice) {
    TempDir dir;
    dir.File("shared/x.bin", 100);
    dir.Link("tree/one", dir / "shared");
    dir.Link("tree/two", dir / "shared");
    EXPECT_EQ(Walk(dir / "tree"), 200);
}

TEST(SumFolderSize, NamesThatAreNotUtf8AreMeasured) {
    TempDir dir;
    dir.Folder("bytes");
    const std::string name = dir / "bytes/\xff\xfe-\xe9t\xe9.flac";
    std::ofstream(name) << "12345";
    const std::string folder = dir / "bytes/\xc0\xaf-dir";
    ::mkdir(folder.c_str(), 0755);
    std::ofstream(folder + "/in.bin") << "123";
    EXPECT_EQ(Walk(dir / "bytes"), 8);
}

TEST(SumFolderSize, WideTreesGiveTheExactTotal) {
    // Enough folders for the walk to share work between its threads.
    TempDir dir;
    std::int64_t expected = 0;
    for (int i = 0; i < 60; ++i)
        for (int j = 0; j < 6; ++j) {
            const std::int64_t size = i * 100 + j;
            dir.File("wide/d" + std::to_string(i) + "/e" + std::to_string(j) + "/f.bin", size);
            expected += size;
        }
    for (int run = 0; run < 5; ++run)
        EXPECT_EQ(Walk(dir / "wide"), expected);
}

TEST(SumFolderSize, PseudoFileSystemsCountNothing) {
    EXPECT_EQ(Walk("/proc/self"), 0);
}

TEST(QueryFileSize, GivesTheFileLengthAndNothingForOtherPaths) {
    TempDir dir;
    dir.File("song.flac", 123456);
    dir.File("huge.iso", 4'700'000'001LL);
    dir.Link("link.flac", dir / "song.flac");
    dir.Link("broken", dir / "gone");
    dir.Folder("folder");
    const std::string fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);

    EXPECT_EQ(QueryFileSize(dir / "song.flac"), 123456);
    EXPECT_EQ(QueryFileSize(dir / "huge.iso"), 4'700'000'001LL);
    EXPECT_EQ(QueryFileSize(dir / "link.flac"), 123456);
    EXPECT_EQ(QueryFileSize(dir / "broken"), 0);
    EXPECT_EQ(QueryFileSize(dir / "missing"), 0);
    EXPECT_EQ(QueryFileSize(dir / "folder"), 0);
    EXPECT_EQ(QueryFileSize(fifo), 0); // must not block
}

TEST(QueryFileSize, FilesWithoutReadPermissionStillHaveTheirSize) {
    TempDir dir;
    dir.File("locked.wv", 777);
    ::chmod((dir / "locked.wv").c_str(), 0);
    EXPECT_EQ(QueryFileSize(dir / "locked.wv"), 777);
}

} // namespace
} // namespace platterwise
