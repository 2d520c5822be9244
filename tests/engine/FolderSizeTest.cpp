// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FolderSize.h"

#include "engine/FolderWalker_p.h"
#include "tests/support/EngineFakes.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platterwise {
namespace {

using testing::TempDir;

std::int64_t Walk(const std::string& path, TMeasureProblems* problems = nullptr) {
    std::int64_t sum = 0;
    SumFolderSize(path, sum, problems);
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

TEST(SumFolderSize, PathsThatAreNotReadableFoldersCountNothingAndAreReported) {
    TempDir dir;
    dir.File("plain.txt", 99);
    TMeasureProblems problems;
    EXPECT_EQ(Walk(dir / "missing", &problems), 0);
    EXPECT_EQ(Walk(dir / "plain.txt", &problems), 0);
    EXPECT_EQ(Walk("", &problems), 0);
    EXPECT_EQ(problems.Kept(),
              (std::vector<TMeasureProblem>{
                  {dir / "missing", ENOENT}, {dir / "plain.txt", ENOTDIR}, {"", ENOENT}}));
}

TEST(SumFolderSize, EntriesThatCannotBeReadAreReportedWithTheirError) {
    TempDir dir;
    dir.File("tree/ok.bin", 5);
    dir.Link("tree/broken", dir / "nowhere");
    dir.Link("tree/sub/loop", "loop");
    dir.Folder("tree/closed");
    dir.File("tree/closed/hidden.bin", 7);
    ::chmod((dir / "tree/closed").c_str(), 0);
    TMeasureProblems problems;
    const std::int64_t sum = Walk(dir / "tree", &problems);
    ::chmod((dir / "tree/closed").c_str(), 0755);
    std::vector<TMeasureProblem> expected{{dir / "tree/broken", ENOENT},
                                          {dir / "tree/sub/loop", ELOOP}};
    if (::geteuid() != 0) { // permissions do not bind root
        expected.push_back({dir / "tree/closed", EACCES});
    }
    auto kept = problems.Kept();
    std::sort(kept.begin(), kept.end(), [](auto& a, auto& b) { return a.Path < b.Path; });
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.Path < b.Path; });
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(sum, ::geteuid() != 0 ? 5 : 12);
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

TEST(SumFolderSize, AFolderReachedAgainThroughALinkCountsOnce) {
    TempDir dir;
    dir.File("shared/x.bin", 100);
    dir.Link("tree/one", dir / "shared");
    dir.Link("tree/two", dir / "shared");
    dir.File("tree/own/y.bin", 1);
    dir.Link("tree/own/again", dir / "tree/own");
    EXPECT_EQ(Walk(dir / "tree"), 101);
}

TEST(SumFolderSize, AMeshOfFolderLinksCountsEveryFolderOnce) {
    // Each folder links to every other: the walk used to take exponential time.
    TempDir dir;
    constexpr int kFolders = 6;
    for (int i = 0; i < kFolders; ++i) {
        dir.File("mesh/m" + std::to_string(i) + "/one.bin", 1);
        for (int j = 0; j < kFolders; ++j) {
            if (j != i) {
                dir.Link("mesh/m" + std::to_string(i) + "/to" + std::to_string(j),
                         "../m" + std::to_string(j));
            }
        }
    }
    EXPECT_EQ(Walk(dir / "mesh/m0"), kFolders);
    EXPECT_EQ(Walk(dir / "mesh"), kFolders);
}

// A comb `levels` deep of `width`-byte names: level k holds a file of k + 1 bytes, two empty
// leaf folders and level k + 1, named anew on every level so that whatever order the file
// system lists them in, the walk mostly leaves a leaf behind on each level. Made relative to
// descriptors, since its paths are longer than the kernel takes at once. Returns the total.
// With a `store`, every other level is a link to a folder made there instead.
std::int64_t MakeComb(const std::string& root, int levels, std::size_t width,
                      const std::string& store = {}) {
    const auto name = [width](char c, int k) {
        std::string n = c + std::to_string(k);
        n.resize(std::max(width, n.size()), c);
        return n;
    };
    int at = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::int64_t total = 0;
    for (int k = 0; k < levels; ++k) {
        const std::string next = name('d', k);
        EXPECT_EQ(::mkdirat(at, name('a', k).c_str(), 0755), 0);
        if (!store.empty() && k % 2 == 1) {
            const std::string real = store + "/" + next;
            EXPECT_EQ(::mkdir(real.c_str(), 0755), 0);
            EXPECT_EQ(::symlinkat(real.c_str(), at, next.c_str()), 0);
        } else {
            EXPECT_EQ(::mkdirat(at, next.c_str(), 0755), 0);
        }
        EXPECT_EQ(::mkdirat(at, name('b', k).c_str(), 0755), 0);
        const int fd = ::openat(at, name('f', k).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        EXPECT_EQ(::ftruncate(fd, k + 1), 0);
        ::close(fd);
        total += k + 1;
        const int down = ::openat(at, next.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(at);
        at = down;
    }
    ::close(at);
    return total;
}

// Lowers the soft limit of open descriptors for a test's lifetime.
class ScopedDescriptorLimit {
public:
    explicit ScopedDescriptorLimit(rlim_t soft) {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = std::min(soft, saved_.rlim_cur);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~ScopedDescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    ScopedDescriptorLimit(const ScopedDescriptorLimit&) = delete;
    ScopedDescriptorLimit& operator=(const ScopedDescriptorLimit&) = delete;

private:
    rlimit saved_{};
};

TEST(SumFolderSize, DepthHasNoLimitButMemoryNorDoesItHoldADescriptorPerLevel) {
    TempDir dir;
    dir.Folder("deep");
    // 200 levels of 100-byte names: paths of 20 KB, and more levels than descriptors.
    const std::int64_t expected = MakeComb(dir / "deep", 200, 100);
    {
        const ScopedDescriptorLimit limit(48);
        TMeasureProblems problems;
        EXPECT_EQ(detail::FolderWalker(1).Sum(dir / "deep", problems), expected);
        EXPECT_TRUE(problems.Empty());
    }
    const ScopedDescriptorLimit limit(160);
    TMeasureProblems problems;
    EXPECT_EQ(Walk(dir / "deep", &problems), expected);
    EXPECT_TRUE(problems.Empty());

    std::string deepest = dir / "deep";
    for (int k = 0; k < 199; ++k) {
        deepest += "/d" + std::to_string(k);
        deepest.resize(deepest.size() + 100 - 1 - std::to_string(k).size(), 'd');
    }
    EXPECT_EQ(QueryFileSize(deepest + "/f199" + std::string(96, 'f')), 200);
}

TEST(SumFolderSize, FoldersReachedThroughLinksAreFoundAgainWhenTheWalkClimbsBack) {
    // Climbing back through ".." from a folder reached through a link leads elsewhere; the
    // walk must notice and find the folder by name instead.
    TempDir dir;
    dir.Folder("chain");
    dir.Folder("store");
    const std::int64_t expected = MakeComb(dir / "chain", 120, 1, dir / "store");
    TMeasureProblems problems;
    EXPECT_EQ(detail::FolderWalker(1).Sum(dir / "chain", problems), expected);
    EXPECT_TRUE(problems.Empty()) << problems.Kept().front().Path;
    EXPECT_EQ(Walk(dir / "chain"), expected);
}

// A failure on any thread of the walk reaches the caller once every thread has stopped. The
// hook makes the failing side wait for the other to have started, so each case is sure to
// cross threads.
class WalkFailure : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 16; ++i) {
            dir_.File("wide/d" + std::to_string(i) + "/f", 1);
        }
    }
    bool OnHelper() const { return std::this_thread::get_id() != caller_; }
    void Signal() {
        std::lock_guard lock(mutex_);
        signalled_ = true;
        wake_.notify_all();
    }
    bool AwaitSignal() {
        std::unique_lock lock(mutex_);
        return wake_.wait_for(lock, std::chrono::seconds(10), [this] { return signalled_; });
    }
    TempDir dir_;

private:
    const std::thread::id caller_ = std::this_thread::get_id();
    std::mutex mutex_;
    std::condition_variable wake_;
    bool signalled_ = false;
};

TEST_F(WalkFailure, AHelperThreadsFailureIsRethrownOnTheCallersThread) {
    detail::FolderWalker walker(4, [this](std::string_view name) {
        if (name != "f") {
            return;
        }
        if (OnHelper()) {
            Signal();
            throw std::runtime_error("helper failed");
        }
        AwaitSignal();
    });
    TMeasureProblems problems;
    EXPECT_THROW(walker.Sum(dir_ / "wide", problems), std::runtime_error);
}

TEST_F(WalkFailure, TheCallersFailureStopsTheHelpersInsteadOfLeavingThemWaiting) {
    detail::FolderWalker walker(4, [this](std::string_view name) {
        if (name != "f") {
            return;
        }
        if (OnHelper()) {
            Signal();
        } else if (AwaitSignal()) {
            throw std::runtime_error("caller failed");
        }
    });
    TMeasureProblems problems;
    EXPECT_THROW(walker.Sum(dir_ / "wide", problems), std::runtime_error);
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

TEST(MeasureFolderForImage, AStopEndsTheWalkWithinAThousandEntriesOfOneFolder) {
    TempDir dir;
    dir.Folder("wide");
    for (int i = 0; i < 3'000; ++i) {
        ::close(::open((dir / "wide/f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644));
    }
    std::stop_source stop;
    int visited = 0;
    TMeasureProblems problems;
    detail::FolderWalker walker(1,
                                [&](std::string_view) {
                                    if (++visited == 10) {
                                        stop.request_stop();
                                    }
                                },
                                {true, stop.get_token()});
    walker.Sum(dir / "wide", problems);
    EXPECT_LT(visited, 2'000); // a look every 1,024 entries
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

TEST(QueryFileSize, PathsThatCannotBeQueriedAreReported) {
    TempDir dir;
    dir.Link("broken", dir / "gone");
    TMeasureProblems problems;
    EXPECT_EQ(QueryFileSize(dir / "broken", &problems), 0);
    EXPECT_EQ(QueryFileSize(dir / std::string(300, 'n'), &problems), 0);
    EXPECT_EQ(problems.Kept(),
              (std::vector<TMeasureProblem>{{dir / "broken", ENOENT},
                                            {dir / std::string(300, 'n'), ENAMETOOLONG}}));
}

TEST(QueryFileSize, FilesWithoutReadPermissionStillHaveTheirSize) {
    TempDir dir;
    dir.File("locked.wv", 777);
    ::chmod((dir / "locked.wv").c_str(), 0);
    EXPECT_EQ(QueryFileSize(dir / "locked.wv"), 777);
}

} // namespace
} // namespace platterwise
