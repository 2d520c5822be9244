// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a disc image with MD5s against `xorriso -md5 on -as mkisofs ... -o` for the same
// graft points, and verifying it against `md5sum` of the same files, in the same run:
//   image_write_bench [WORK-FOLDER [MB [RUNS]]]
#include "Timing.h"
#include "disc/DiscVerify.h"
#include "disc/ImageSizer.h"
#include "disc/ImageWriter.h"
#include "disc/RootNames.h"
#include "image/DiscMedia.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace platterwise;
using platterwise::bench::Median;
using platterwise::bench::Seconds;

namespace {

std::string Quoted(const std::string& word) {
    std::string text = "'";
    for (const char c : word) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
}

void Shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    const fs::path work = argc > 1 ? argv[1] : fs::temp_directory_path() / "image_write_bench";
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : 400;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 3;
    fs::remove_all(work);
    fs::create_directories(work / "out");
    // Albums of 10 tracks of 4 MB of pseudo-random bytes.
    std::mt19937 random(7);
    std::vector<std::string> albums, files;
    std::vector<std::uint32_t> block(1 << 20);
    for (int album = 0; album * 40 < megabytes; ++album) {
        const fs::path folder = work / "music" / ("Album " + std::to_string(album));
        fs::create_directories(folder);
        albums.push_back(folder.string());
        for (int track = 0; track < 10; ++track) {
            std::generate(block.begin(), block.end(), random);
            const std::string path = (folder / (std::to_string(track) + ".flac")).string();
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(block.data()),
                       std::streamsize(block.size() * 4));
            files.push_back(path);
        }
    }
    TImageOptions options;
    options.RecordMd5 = true;
    std::vector<TImageTree> trees;
    trees.reserve(albums.size());
    std::vector<TImageRootEntry> roots;
    std::vector<TImageWriteEntry> entries;
    std::vector<TGraftPoint> points;
    for (const std::string& album : albums) {
        trees.push_back(ReadImageTree(album));
        roots.push_back({&trees.back(), ItemName(album), album});
        entries.push_back({&trees.back(), ItemName(album), album});
        points.push_back({ItemName(album), album});
    }
    const std::int64_t sectors = ExactImageSectors(roots, options);
    std::string xorriso;
    for (const std::string& word : XorrisoCommand(options, points, (work / "out/x.iso").string())) {
        xorriso += Quoted(word) + ' ';
    }
    xorriso += ">/dev/null 2>&1";
    std::vector<double> ours, theirs, verify, md5sum;
    std::optional<TWrittenImage> written;
    // Each write starts with the other's data on disk and gone (sync outside the timing), in
    // alternating order, so neither pays for the other's write-back.
    for (int run = 0; run < runs; ++run) {
        const auto xorrisoRun = [&] {
            Shell("sync");
            theirs.push_back(Seconds([&] { Shell(xorriso); }));
            fs::remove(work / "out/x.iso");
        };
        const auto ourRun = [&] {
            Shell("sync");
            ours.push_back(Seconds([&] {
                written =
                    WriteImage(entries, options, sectors, (work / "out").string(), "disc1.iso");
            }));
        };
        if (run % 2 == 0) {
            xorrisoRun();
            ourRun();
        } else {
            ourRun();
            xorrisoRun();
        }
    }
    Shell("sync");
    std::vector<TVerifyExpected> expected;
    for (const TWrittenFile& file : written->Files) {
        expected.push_back({file.DiscPath, file.Size, file.Md5});
    }
    std::string sums = "md5sum";
    for (const std::string& file : files) {
        sums += ' ' + Quoted(file);
    }
    sums += " >/dev/null";
    for (int run = 0; run < runs; ++run) {
        md5sum.push_back(Seconds([&] { Shell(sums); }));
        verify.push_back(Seconds([&] {
            const auto result = VerifyDisc((work / "out/disc1.iso").string(), expected);
            if (!result || !result->Findings.empty()) {
                std::fprintf(stderr, "verify found problems\n");
                std::exit(1);
            }
        }));
    }
    const double mb = double(sectors * kSectorBytes) / 1e6;
    std::printf("image: %zu files, %.0f MB, %lld sectors, medians of %d runs\n", files.size(), mb,
                static_cast<long long>(sectors), runs);
    std::printf("write: platterwise %.3f s, xorriso -md5 on %.3f s, ratio %.2f\n", Median(ours),
                Median(theirs), Median(ours) / Median(theirs));
    std::printf("verify: platterwise %.3f s, md5sum %.3f s, ratio %.2f\n", Median(verify),
                Median(md5sum), Median(verify) / Median(md5sum));
    fs::remove_all(work);
    return 0;
}
