// SPDX-License-Identifier: GPL-3.0-or-later
// Image size benchmark: the exact size of a set of items (read the items' trees, then size
// the image with libisofs from them) against `xorriso -as mkisofs -print-size` on the same
// graft points, and against libisofs reading the disk itself; the three must agree. Also the
// planned size from the cost model against the exact one, and, on 10,000 loose files, what
// sizing a DVD's worth costs beside measuring all the files as `total` does.
//
//   image_size_bench [DIR] [RUNS]   (default DIR: $TMPDIR/platterwise-image-bench, RUNS: 3)
#include "disc/ImageSizer.h"
#include "engine/FolderSize.h"
#include "image/ImageCost.h"
#include "image/PlannedCost.h"
#include "tests/support/DiskReadSizer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace platterwise;
namespace fs = std::filesystem;

constexpr std::int64_t kDvdPlusR = 2'295'104;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double TimeMs(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return Median(ms);
}

void SparseFile(const std::string& path, std::int64_t size) {
    fs::create_directories(fs::path(path).parent_path());
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
    ::close(fd);
}

const char* const kWords[] = {"Love",  "Night", "Город", "Sonate",   "Blue",  "Ωmega",  "Rain",
                              "Dream", "音楽",  "Live",  "Remaster", "Dance", "Straße", "Fire"};

std::string Title(std::mt19937& random, int words) {
    std::string title;
    for (int w = 0; w < words; ++w) {
        if (w > 0) {
            title += ' ';
        }
        title += kWords[random() % std::size(kWords)];
    }
    return title;
}

// 60 albums of 8 to 20 tracks, some in CD1/CD2 folders, with covers, cue sheets and logs.
void MakeAlbums(const std::string& root, std::mt19937& random) {
    for (int a = 0; a < 60; ++a) {
        const std::string album = root + "/Artist " + std::to_string(a) + " - " +
                                  Title(random, 1 + int(random() % 5)) + " (" +
                                  std::to_string(1960 + a % 60) + ") [FLAC]";
        const int discs = a % 7 == 0 ? 2 : 1;
        for (int d = 1; d <= discs; ++d) {
            const std::string folder = discs == 1 ? album : album + "/CD" + std::to_string(d);
            const int tracks = 8 + int(random() % 13);
            for (int t = 1; t <= tracks; ++t) {
                SparseFile(folder + "/" + (t < 10 ? "0" : "") + std::to_string(t) + " - " +
                               Title(random, 1 + int(random() % 6)) + ".flac",
                           15'000'000 + std::int64_t(random() % 45'000'000));
            }
            SparseFile(folder + "/album.cue", 2'000);
            SparseFile(folder + "/album.log", 6'000);
        }
        SparseFile(album + "/cover.jpg", 300'000 + std::int64_t(random() % 900'000));
    }
}

void MakeLoose(const std::string& root, int count, std::mt19937& random) {
    for (int i = 0; i < count; ++i) {
        SparseFile(root + "/" + std::to_string(i) + " " + Title(random, 1 + int(random() % 6)) +
                       ".flac",
                   2'000'000 + std::int64_t(random() % 48'000'000));
    }
}

std::vector<std::string> Items(const std::string& root) {
    std::vector<std::string> items;
    for (const auto& entry : fs::directory_iterator(root)) {
        items.push_back(entry.path().string());
    }
    std::sort(items.begin(), items.end());
    return items;
}

// xorriso's -print-size for the graft points, through the same command the program prints.
std::int64_t XorrisoSectors(const std::vector<TGraftPoint>& points, const std::string& list) {
    std::ofstream(list, std::ios::binary) << GraftPointList(points);
    const std::vector<std::string> words = XorrisoCommand({}, list, "");
    std::vector<char*> argv;
    for (const std::string& w : words) {
        argv.push_back(const_cast<char*>(w.c_str()));
    }
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe(fds) != 0) {
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, "xorriso", &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "xorriso cannot be started\n");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::string out;
    char buffer[256];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        out.append(buffer, std::size_t(n));
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out.empty() ? -1 : std::stoll(out);
}

std::size_t FileCount(TImageSizer& sizer, std::size_t items) {
    std::size_t files = 0;
    for (std::size_t i = 0; i < items; ++i) {
        for (const TImageNode& node : sizer.Tree(i).Nodes) {
            files += node.Kind == TImageEntryKind::File;
        }
    }
    return files;
}

void Measure(const std::string& name, const std::vector<std::string>& paths,
             const std::string& list, int runs) {
    std::vector<std::size_t> all(paths.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i;
    }
    TImageSizer sizer(paths);
    TImageSizer::TImage image;
    const double cold = TimeMs(runs, [&] { image = TImageSizer(paths).Size(all); });
    image = sizer.Size(all);
    const double warm = TimeMs(runs, [&] { sizer.Size(all); });
    std::int64_t fromDisk = 0;
    const double disk =
        TimeMs(runs, [&] { fromDisk = ImageSectorsReadByLibisofs(image.GraftPoints); });
    std::int64_t xorriso = 0;
    const double peer = TimeMs(runs, [&] { xorriso = XorrisoSectors(image.GraftPoints, list); });
    std::vector<TItemImageCost> costs;
    std::int64_t perItem = FixedImageSectors();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        costs.push_back(PlannedItemCost(sizer.Tree(i), image.GraftPoints[i].ImageName));
        perItem += costs.back().Sectors();
    }
    const std::int64_t planned = PlannedImageSectors(costs);
    const double files = double(FileCount(sizer, paths.size()));
    std::printf("%-12s %6zu items %7.0f files: exact %9lld sectors, xorriso %9lld, libisofs "
                "from disk %9lld: %s\n",
                name.c_str(), paths.size(), files, static_cast<long long>(image.Sectors),
                static_cast<long long>(xorriso), static_cast<long long>(fromDisk),
                image.Sectors == xorriso && image.Sectors == fromDisk ? "equal" : "DIFFERENT");
    std::printf("%-12s   planned %9lld (+%lld, %.4f%%), per item %9lld (+%lld, %.2f a item)\n", "",
                static_cast<long long>(planned), static_cast<long long>(planned - image.Sectors),
                100.0 * double(planned - image.Sectors) / double(image.Sectors),
                static_cast<long long>(perItem), static_cast<long long>(perItem - image.Sectors),
                double(perItem - image.Sectors) / double(paths.size()));
    std::printf("%-12s   time: read trees + size %8.1f ms (%5.1f us/file), size from trees "
                "%8.1f ms (%5.1f us/file), libisofs from disk %8.1f ms (%5.1f us/file), xorriso "
                "%8.1f ms (%5.1f us/file); ratio to xorriso %.2f / %.2f\n",
                "", cold, 1000 * cold / files, warm, 1000 * warm / files, disk, 1000 * disk / files,
                peer, 1000 * peer / files, cold / peer, warm / peer);
}

// What `total` does per file against sizing the first DVD+R's worth of the same files.
void DvdShare(const std::vector<std::string>& paths, int runs) {
    const double total = TimeMs(runs, [&] {
        std::int64_t sum = 0;
        for (const std::string& p : paths) {
            sum += QueryFileSize(p);
        }
        if (sum < 0) {
            std::puts("");
        }
    });
    std::vector<std::int64_t> sizes;
    for (const std::string& p : paths) {
        sizes.push_back(QueryFileSize(p));
    }
    const double plan = TimeMs(runs, [&] {
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string name = fs::path(paths[i]).filename().string();
            TImageEntry entry;
            entry.Name = name;
            entry.Size = sizes[i];
            sum += ItemImageCost(entry, {}).Sectors();
        }
        if (sum < 0) {
            std::puts("");
        }
    });
    TImageSizer sizer(paths);
    std::vector<std::size_t> chosen;
    std::vector<TItemImageCost> costs;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        costs.push_back(PlannedItemCost(sizer.Tree(i), fs::path(paths[i]).filename().string()));
        if (PlannedImageSectors(costs) > kDvdPlusR) {
            break;
        }
        chosen.push_back(i);
    }
    std::int64_t exact = 0;
    const double cold = TimeMs(runs, [&] { exact = TImageSizer(paths).Sectors(chosen); });
    const double warm = TimeMs(runs, [&] { exact = sizer.Sectors(chosen); });
    std::printf("DVD+R share of %zu loose files: %zu files, exact %lld sectors; measuring all "
                "files as total does %.1f ms; planning every file from its name and size %.1f "
                "ms; sizing the disc %.1f ms (trees read) / %.1f ms (from trees): %.2f / %.2f "
                "of total\n",
                paths.size(), chosen.size(), static_cast<long long>(exact), total, plan, cold, warm,
                cold / total, warm / total);
}

} // namespace

int main(int argc, char** argv) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string root =
        argc > 1 ? argv[1] : std::string(tmp ? tmp : "/tmp") + "/platterwise-image-bench";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::mt19937 random(2026);
    fs::remove_all(root);
    MakeAlbums(root + "/albums", random);
    MakeLoose(root + "/loose 400", 400, random);
    MakeLoose(root + "/loose 3000", 3000, random);
    MakeLoose(root + "/loose 10000", 10000, random);
    const std::string list = root + "/graft-points";
    Measure("albums", Items(root + "/albums"), list, runs);
    for (const char* set : {"loose 400", "loose 3000", "loose 10000"}) {
        Measure(set, Items(root + "/" + set), list, runs);
    }
    DvdShare(Items(root + "/loose 10000"), runs);
    fs::remove_all(root);
    return 0;
}
