// SPDX-License-Identifier: GPL-3.0-or-later
#include "Collections.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <unistd.h>

namespace platterwise::bench {
namespace fs = std::filesystem;
namespace {

// A file of `size` bytes that occupies (almost) no blocks.
void SparseFile(const fs::path& path, std::int64_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::ftruncate(fd, size) != 0) {
        throw std::runtime_error("cannot make " + path.string());
    }
    ::close(fd);
}

std::int64_t Between(std::mt19937_64& rng, std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
}

std::int64_t TrackBytes(std::mt19937_64& rng) {
    return Between(rng, 12'000'000, 60'000'000);
}

std::string Numbered(const char* format, int n) {
    char name[64];
    std::snprintf(name, sizeof name, format, n);
    return name;
}

void MakeAlbums(const fs::path& dir, std::mt19937_64& rng) {
    for (int a = 1; a <= 60; ++a) {
        const fs::path album = dir / Numbered("Artist %02d - Album (1975)", a);
        fs::create_directories(album);
        const int tracks = int(Between(rng, 8, 20));
        for (int t = 1; t <= tracks; ++t) {
            SparseFile(album / Numbered("%02d - Title of the track.flac", t), TrackBytes(rng));
        }
        SparseFile(album / "cover.jpg", Between(rng, 200'000, 2'000'000));
        SparseFile(album / "album.cue", Between(rng, 1'000, 3'000));
        SparseFile(album / "album.log", Between(rng, 5'000, 10'000));
    }
}

void MakeLooseFiles(const fs::path& dir, int count, std::mt19937_64& rng) {
    fs::create_directories(dir);
    for (int i = 1; i <= count; ++i) {
        SparseFile(dir / Numbered("%05d - Some artist - Some title.flac", i), TrackBytes(rng));
    }
}

std::vector<std::string> SortedEntries(const fs::path& dir) {
    std::vector<std::string> items;
    for (const auto& entry : fs::directory_iterator(dir)) {
        items.push_back(entry.path().string());
    }
    std::sort(items.begin(), items.end());
    return items;
}

} // namespace

std::vector<TCollection> MakeCollections(const std::string& root, std::uint64_t seed) {
    const fs::path base(root);
    const fs::path marker = base / ".complete";
    const std::string stamp = "seed " + std::to_string(seed) + " v1";
    std::string found;
    if (std::ifstream in(marker); in) {
        std::getline(in, found);
    }
    const std::vector<std::pair<std::string, int>> sets{
        {"albums", 0}, {"400 files", 400}, {"3000 files", 3000}, {"10000 files", 10000}};
    if (found != stamp) {
        fs::remove_all(base);
        std::mt19937_64 rng(seed);
        for (const auto& [name, count] : sets) {
            if (count == 0) {
                MakeAlbums(base / name, rng);
            } else {
                MakeLooseFiles(base / name, count, rng);
            }
        }
        std::ofstream(marker) << stamp << '\n';
    }
    std::vector<TCollection> out;
    for (const auto& [name, count] : sets) {
        out.push_back({name, SortedEntries(base / name)});
    }
    return out;
}

} // namespace platterwise::bench
