// SPDX-License-Identifier: GPL-3.0-or-later
// The whole loop from the command line: plan and write images, record them, mark them
// burned, plan again without them, verify; and a write killed half-way.
#include "../disc/DiscTestSupport.h"
#include "CliInFolder.h"
#include "catalogue/Catalogue.h"
#include "disc/ImageWriter.h"
#include "disc/TreeProblems.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

namespace platterwise::cli {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

void Put(const testing::TempDir& dir, const std::string& rel, std::size_t size, char fill) {
    fs::create_directories(fs::path(dir / rel).parent_path());
    testing::WriteText(dir / rel, std::string(size, fill));
}

class ImageLoop : public CliInFolder {
protected:
    void SetUp() override {
        Put(dir_, "music/One/01.flac", 600'000, '1');
        Put(dir_, "music/Two/01.flac", 500'000, '2');
        Put(dir_, "music/" + odd_ + "/01.flac", 300'000, '3');
        EnterMusic();
    }
    std::string Catalogue() const { return dir_ / "catalogue.sqlite"; }
    const std::string odd_ = "Thr\xff"
                             "ee";
};

TEST_F(ImageLoop, WrittenDiscsOnceBurnedLeaveTheNextPlanAndVerifyCatchesAFlippedByte) {
    ASSERT_EQ(Run({"plan", "--size", "1", "--json", "--write-images", dir_ / "images", "--label",
                   "MUSIC", "--catalogue", Catalogue(), "One", "Two", odd_}),
              kExitFound)
        << err_.str();
    const auto json = nlohmann::json::parse(out_.str());
    ASSERT_EQ(json["discs"].size(), 2u);
    std::vector<std::string> labels;
    for (const auto& disc : json["discs"]) {
        const std::string image = disc["image_path"];
        EXPECT_EQ(std::int64_t(fs::file_size(image)),
                  disc["image_sectors"].get<std::int64_t>() * 2048);
        labels.push_back(disc["label"]);
        EXPECT_THAT(labels.back(), ::testing::MatchesRegex("MUSIC_[0-9]{8}_00[12]"));
    }
    ASSERT_EQ(Run({"catalogue", "burned", labels[0], labels[1], "--catalogue", Catalogue()}),
              kExitFound);
    Put(dir_, "music/Two/02.flac", 10, 'x'); // changed since its disc
    ASSERT_EQ(
        Run({"plan", "--size", "1", "--json", "--catalogue", Catalogue(), "One", "Two", odd_}),
        kExitFound);
    const auto again = nlohmann::json::parse(out_.str());
    ASSERT_EQ(again["discs"].size(), 1u);
    ASSERT_EQ(again["discs"][0]["items"].size(), 1u);
    EXPECT_EQ(again["discs"][0]["items"][0]["name"], "Two");
    EXPECT_EQ(again["already_on_disc"].size(), 2u);
    EXPECT_EQ(again["changed_since_disc"][0]["path"], dir_ / "music/Two");
    ASSERT_EQ(Run({"plan", "--size", "1", "--json", "--include-burned", "--catalogue", Catalogue(),
                   "One", "Two", odd_}),
              kExitFound);
    EXPECT_EQ(nlohmann::json::parse(out_.str())["already_on_disc"].size(), 0u);

    ASSERT_EQ(Run({"catalogue", "find", "THR", "--catalogue", Catalogue()}), kExitFound);
    EXPECT_THAT(out_.str(), HasSubstr("Thr\\xffee/01.flac"));
    // Verify: the untouched image passes; a flipped byte in a copy names its file.
    const std::string image = dir_ / "images/disc1.iso";
    const std::string disc1 = json["discs"][0]["label"];
    const std::string name = json["discs"][0]["items"][0]["name"];
    ASSERT_EQ(Run({"verify", disc1, image, "--catalogue", Catalogue()}), kExitFound) << err_.str();
    std::string bytes;
    {
        std::ifstream in(image, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t at = bytes.find(std::string(4096, name == "One"   ? '1'
                                                        : name == "Two" ? '2'
                                                                        : '3'));
    ASSERT_NE(at, std::string::npos);
    bytes[at + 5000] = 'z';
    std::ofstream(dir_ / "copy.iso", std::ios::binary) << bytes;
    EXPECT_EQ(Run({"verify", disc1, dir_ / "copy.iso", "--catalogue", Catalogue()}), kExitNotFound);
    EXPECT_THAT(out_.str(), HasSubstr("damaged  /" + name + "/01.flac"));
    EXPECT_EQ(Run({"verify", labels[1], image, "--catalogue", Catalogue()}), kExitBadArguments);
}

TEST_F(ImageLoop, FaultsAreOneLineAndLeaveNoImage) {
    Put(dir_, "file", 1, 'f');
    EXPECT_EQ(Run({"best", "--size", "1", "--write-images", dir_ / "file/sub", "--catalogue",
                   Catalogue(), "One"}),
              3);
    EXPECT_THAT(err_.str(), HasSubstr("Not a directory"));
    std::ofstream(Catalogue()) << "not a database";
    EXPECT_EQ(Run({"best", "--size", "1", "--write-images", dir_ / "images", "--catalogue",
                   Catalogue(), "One"}),
              kExitBadArguments);
    EXPECT_THAT(err_.str(), HasSubstr("not a catalogue or damaged; left as it is"));
    EXPECT_FALSE(fs::exists(dir_ / "images/disc1.iso"));
    EXPECT_EQ(Run({"best", "--label", "lower", "--write-images", "x", "One"}), kExitBadArguments);
}

// kill -9 half-way through a disc: no image under its name, nothing else left, and the
// catalogue opens with the disc recorded before.
TEST(ImageKill, AWriteKilledHalfWayLeavesNoImageAndTheCatalogueHoldsEarlierDiscs) {
    testing::TempDir dir;
    Put(dir, "big/a.flac", 24 << 20, 'a');
    const std::string catalogue = dir / "catalogue.sqlite";
    const std::string out = dir / "out";
    fs::create_directories(out);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const auto store = TCatalogue::Open(catalogue, TCatalogue::TMode::Write);
        TCatalogueDisc first;
        first.Label = store->ReserveLabels("PW", "20261208", 1).front();
        store->RecordDisc(first);
        const TImageTree tree = ReadImageTree(dir / "big");
        TImageOptions options;
        options.RecordMd5 = true;
        WriteImage({{&tree, "big", dir / "big"}}, options, -1, out, "disc2.iso", {},
                   [&](const TImageWriteProgress&) {
                       const char byte = 1;
                       (void)!::write(ready[1], &byte, 1);
                       ::pause(); // half-way, until killed
                   });
        ::_exit(0);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1); // the child is writing
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ::close(ready[0]);
    EXPECT_TRUE(fs::is_empty(out));
    const auto store = TCatalogue::Open(catalogue, TCatalogue::TMode::Write);
    ASSERT_EQ(store->Discs().size(), 1u);
    EXPECT_EQ(store->Discs()[0].Label, "PW_20261208_001");
}

} // namespace
} // namespace platterwise::cli
