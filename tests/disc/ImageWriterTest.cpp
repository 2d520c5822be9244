// SPDX-License-Identifier: GPL-3.0-or-later
// Images written through libisofs, read back by xorriso and by the verifier.
#include "disc/ImageWriter.h"

#include "DiscTestSupport.h"
#include "disc/DiscError.h"
#include "disc/DiscVerify.h"
#include "disc/ImageSizer.h"
#include "disc/RootNames.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <random>

namespace platterwise {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

std::string Random(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; i += 4) {
        const std::uint32_t word = random();
        std::memcpy(bytes.data() + i, &word, std::min<std::size_t>(4, size - i));
    }
    return bytes;
}

// A file with `bytes`, its folders made.
void Put(const testing::TempDir& dir, const std::string& rel, const std::string& bytes) {
    fs::create_directories(fs::path(dir / rel).parent_path());
    testing::WriteText(dir / rel, bytes);
}

std::string Md5Sum(const std::string& path) {
    int status = 0;
    return testing::RunCommand({"md5sum", path}, status).substr(0, 32);
}

// The items at `paths` as one image: their trees, sized with MD5s recorded.
struct Disc {
    explicit Disc(const std::vector<std::string>& paths) {
        Options.RecordMd5 = true;
        Options.VolumeId = "PW_20261208_001";
        Trees.reserve(paths.size());
        std::vector<TImageRootEntry> roots;
        for (const std::string& path : paths) {
            Trees.push_back(ReadImageTree(path));
            Entries.push_back({&Trees.back(), ItemName(path), path});
            roots.push_back({&Trees.back(), ItemName(path), path});
            Points.push_back({ItemName(path), path});
        }
        Sectors = ExactImageSectors(roots, Options);
    }
    std::optional<TWrittenImage> Write(const std::string& dir, std::int64_t sectors,
                                       const TImageWriteProgressFn& progress = {}) {
        fs::create_directories(dir);
        return WriteImage(Entries, Options, sectors, dir, "disc1.iso", {}, progress);
    }
    TImageOptions Options;
    std::vector<TImageTree> Trees;
    std::vector<TImageWriteEntry> Entries;
    std::vector<TGraftPoint> Points;
    std::int64_t Sectors = 0;
};

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(ImageWriter, AnImageHoldsEveryFileWithItsMd5AndVerifiesUntilAByteFlips) {
    testing::TempDir dir;
    const std::string first = Random(300'000, 1);
    Put(dir, "Album/01.flac", first);
    Put(dir, "Album/CD2/\xff.flac", Random(50'000, 2));
    Put(dir, "Album/empty.flac", "");
    testing::HardLink(dir, "Album/same.flac", "Album/01.flac");
    // Many times the writer's step, so the image's MD5 is taken over many handed-over chunks.
    Put(dir, "loose.wav", Random(21'000'000, 3));
    Disc disc({dir / "Album", dir / "loose.wav"});
    // Recording MD5s adds their sectors, exactly as xorriso -md5 on does.
    EXPECT_EQ(testing::XorrisoPrintSize(XorrisoCommand(disc.Options, disc.Points, "")),
              disc.Sectors);

    const auto written = disc.Write(dir / "out", disc.Sectors);
    ASSERT_TRUE(written);
    const std::string image = dir / "out/disc1.iso";
    EXPECT_EQ(std::int64_t(fs::file_size(image)), disc.Sectors * 2048);
    EXPECT_EQ(written->Md5, Md5Sum(image));
    ASSERT_EQ(written->Files.size(), 5u);
    std::vector<TVerifyExpected> expected;
    for (const TWrittenFile& file : written->Files) {
        EXPECT_EQ(file.Md5, Md5Sum(file.SourcePath)) << file.DiscPath;
        EXPECT_EQ(file.SourcePath, dir / file.DiscPath.substr(1));
        expected.push_back({file.DiscPath, file.Size, file.Md5});
    }
    int status = 0;
    EXPECT_THAT(testing::RunCommand({"xorriso", "-md5", "on", "-indev", image, "-check_md5_r",
                                     "FAILURE", "/", "--"},
                                    status),
                HasSubstr("File contents and their MD5 checksums match."));

    const auto good = VerifyDisc(image, expected);
    ASSERT_TRUE(good);
    EXPECT_EQ(good->VolumeId, "PW_20261208_001");
    EXPECT_EQ(good->FilesRead, 5);
    EXPECT_TRUE(good->Findings.empty());

    // One flipped bit inside 01.flac's data damages it and its hard link, nothing else.
    std::string bytes;
    {
        std::ifstream in(image, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t at = bytes.find(first.substr(0, 4096));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 100'000] = char(bytes[at + 100'000] ^ 1);
    const std::string copy = dir / "copy.iso";
    std::ofstream(copy, std::ios::binary) << bytes;
    const auto damaged = VerifyDisc(copy, expected);
    ASSERT_TRUE(damaged);
    std::vector<std::string> paths;
    for (const TVerifyFinding& finding : damaged->Findings) {
        EXPECT_EQ(finding.Problem, TVerifyProblem::Damaged);
        paths.push_back(finding.DiscPath);
    }
    EXPECT_THAT(paths, ::testing::UnorderedElementsAre("/Album/01.flac", "/Album/same.flac"));
    // The disc's files as a mounted folder: the source folder lacks loose.wav.
    expected.pop_back();
    const auto folder = VerifyDisc(dir.Path().string(), expected);
    ASSERT_TRUE(folder);
    ASSERT_FALSE(folder->Findings.empty());
    EXPECT_EQ(folder->Findings.front().Problem, TVerifyProblem::NotCatalogued);
}

// libisofs would pad or cut a file that changed; the image must fail instead, naming it,
// and leave no file behind.
TEST(ImageWriter, ASourceThatChangesOrVanishesWhileWrittenFailsTheImageNamingIt) {
    for (const bool vanish : {false, true}) {
        testing::TempDir dir;
        // Larger than libisofs's queue, so the small file is read after the first step.
        Put(dir, "Album/1-big.flac", Random(24 << 20, 4));
        Put(dir, "Album/2-small.flac", Random(10'000, 5));
        Disc disc({dir / "Album"});
        bool changed = false;
        try {
            disc.Write(dir / "out", disc.Sectors, [&](const TImageWriteProgress&) {
                if (!std::exchange(changed, true)) {
                    if (vanish) {
                        fs::remove(dir / "Album/2-small.flac");
                    } else {
                        std::ofstream(dir / "Album/2-small.flac", std::ios::app) << "more";
                    }
                }
            });
            ADD_FAILURE() << "written";
        } catch (const TDiscError& e) {
            EXPECT_THAT(e.what(), HasSubstr("2-small.flac"));
            EXPECT_THAT(e.what(), HasSubstr(vanish ? "vanished" : "changed"));
            EXPECT_EQ(e.Code(), TDiscCode::ChangedSincePlanned);
        }
        EXPECT_TRUE(Names(dir / "out").empty());
    }
    // Changed between planning and writing: refused before anything is written.
    testing::TempDir dir;
    Put(dir, "a.flac", "abc");
    Disc disc({dir / "a.flac"});
    const auto codeOf = [](const auto& run) {
        try {
            run();
        } catch (const TDiscError& e) {
            return e.Code();
        }
        return TDiscCode::Ok;
    };
    EXPECT_EQ(codeOf([&] { disc.Write(dir.Path().string(), disc.Sectors + 1); }),
              TDiscCode::ChangedSincePlanned);
    EXPECT_EQ(codeOf([&] { PrepareImageFolder(dir.Path().string(), std::int64_t(1) << 60); }),
              TDiscCode::NoSpace);
}

} // namespace
} // namespace platterwise
