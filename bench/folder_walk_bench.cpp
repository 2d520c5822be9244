// SPDX-License-Identifier: GPL-3.0-or-later
// Folder walk benchmark: SumFolderSize against `du -sb` on the same generated tree, warm
// cache, alternating runs, medians. du adds directory sizes, so it is a reference for speed,
// not for the total; the total is checked against the generated files' lengths. The same walk
// planning the disc image as well (MeasureFolderForImage) shows what that costs when asked.
// On a machine whose cores are busy with other work the walk's second thread gets little time,
// so the CPU time of both (the walk's threads, du's process) is given too; and, when this
// process may drop the page cache, one cold-cache pair.
//
//   folder_walk_bench [DIR] [RUNS]   (default DIR: $TMPDIR/platterwise-walk-bench, RUNS: 7)
#include "engine/FolderSize.h"
#include "engine/Units.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kArtists = 200;
constexpr int kAlbumsPerArtist = 100; // 20,000 album folders (+200 artist folders)
constexpr int kFilesPerAlbum = 10;    // 200,000 files

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// User and system time of this process (every thread) and of its waited-for children.
double CpuSeconds(int who) {
    rusage u{};
    ::getrusage(who, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// False when the page cache cannot be dropped here (not root, or a container that forbids it).
bool DropCaches() {
    ::sync();
    const int fd = ::open("/proc/sys/vm/drop_caches", O_WRONLY | O_CLOEXEC);
    const bool dropped = fd >= 0 && ::write(fd, "3\n", 2) == 2;
    if (fd >= 0) {
        ::close(fd);
    }
    return dropped;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Sparse files: only st_size matters to both walkers, and the tree builds in seconds.
std::int64_t Generate(const std::string& root) {
    std::mt19937_64 rng(2026);
    std::uniform_int_distribution<std::int64_t> size(0, 60'000'000);
    std::int64_t total = 0;
    std::filesystem::remove_all(root);
    for (int a = 0; a < kArtists; ++a) {
        const std::string artist = root + "/artist " + std::to_string(a);
        for (int b = 0; b < kAlbumsPerArtist; ++b) {
            const std::string album = artist + "/album " + std::to_string(b);
            std::filesystem::create_directories(album);
            for (int f = 0; f < kFilesPerAlbum; ++f) {
                const std::string file = album + "/" + std::to_string(f) + " track.flac";
                const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
                const std::int64_t s = size(rng);
                if (fd < 0 || ::ftruncate(fd, s) != 0) {
                    std::perror(file.c_str());
                    std::exit(1);
                }
                ::close(fd);
                total += s;
            }
        }
    }
    return total;
}

double TimeDu(const std::string& root) {
    const std::string cmd = "du -sb '" + root + "' > /dev/null";
    const auto t0 = std::chrono::steady_clock::now();
    if (std::system(cmd.c_str()) != 0) {
        std::fprintf(stderr, "du failed\n");
        std::exit(1);
    }
    return Seconds(std::chrono::steady_clock::now() - t0);
}

double TimeWalk(const std::string& root, std::int64_t& sum) {
    sum = 0;
    const auto t0 = std::chrono::steady_clock::now();
    platterwise::SumFolderSize(root, sum);
    return Seconds(std::chrono::steady_clock::now() - t0);
}

double TimeImageWalk(const std::string& root, std::int64_t& sum) {
    const auto t0 = std::chrono::steady_clock::now();
    sum = platterwise::MeasureFolderForImage(root).Bytes;
    return Seconds(std::chrono::steady_clock::now() - t0);
}

} // namespace

int main(int argc, char** argv) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string root =
        argc > 1 ? argv[1] : std::string(tmp ? tmp : "/tmp") + "/platterwise-walk-bench";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

    std::printf("generating %d folders and %d files in %s ...\n", kArtists * (kAlbumsPerArtist + 1),
                kArtists * kAlbumsPerArtist * kFilesPerAlbum, root.c_str());
    const std::int64_t expected = Generate(root);

    std::int64_t sum = 0;
    TimeDu(root); // warm the caches for both
    TimeWalk(root, sum);

    std::vector<double> du, walk, imageWalk, duCpu, walkCpu;
    std::int64_t imageSum = 0;
    for (int i = 0; i < runs; ++i) {
        const double children = CpuSeconds(RUSAGE_CHILDREN);
        du.push_back(TimeDu(root));
        duCpu.push_back(CpuSeconds(RUSAGE_CHILDREN) - children);
        const double self = CpuSeconds(RUSAGE_SELF);
        walk.push_back(TimeWalk(root, sum));
        walkCpu.push_back(CpuSeconds(RUSAGE_SELF) - self);
        imageWalk.push_back(TimeImageWalk(root, imageSum));
    }
    const double duMedian = Median(du), walkMedian = Median(walk);
    const double imageMedian = Median(imageWalk);
    std::printf("runs: %d (alternating, warm cache), %u hardware threads\n", runs,
                std::thread::hardware_concurrency());
    std::printf("du -sb         median %.3f s\n", duMedian);
    std::printf("SumFolderSize  median %.3f s\n", walkMedian);
    std::printf("ratio          %.2f (SumFolderSize / du)\n", walkMedian / duMedian);
    std::printf("cpu time       du -sb %.3f s, SumFolderSize %.3f s (all threads): ratio %.2f\n",
                Median(duCpu), Median(walkCpu), Median(walkCpu) / Median(duCpu));
    if (DropCaches()) {
        std::vector<double> coldDu, coldWalk;
        for (int i = 0; i < 2; ++i) {
            DropCaches();
            coldDu.push_back(TimeDu(root));
            DropCaches();
            std::int64_t coldSum = 0;
            coldWalk.push_back(TimeWalk(root, coldSum));
        }
        const double d = *std::min_element(coldDu.begin(), coldDu.end());
        const double w = *std::min_element(coldWalk.begin(), coldWalk.end());
        std::printf("cold cache     du -sb %.3f s, SumFolderSize %.3f s (best of 2): ratio %.2f\n",
                    d, w, w / d);
    } else {
        std::printf("cold cache     not measured: the page cache cannot be dropped here\n");
    }
    std::printf("MeasureFolderForImage median %.3f s: %.2f times SumFolderSize (bytes %s)\n",
                imageMedian, imageMedian / walkMedian, imageSum == sum ? "equal" : "DIFFERENT");
    std::printf(
        "total          %s bytes, expected %s: %s\n", platterwise::GroupThousands(sum).c_str(),
        platterwise::GroupThousands(expected).c_str(), sum == expected ? "equal" : "DIFFERENT");
    std::filesystem::remove_all(root);
    return sum == expected ? 0 : 1;
}
