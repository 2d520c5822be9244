// SPDX-License-Identifier: GPL-3.0-or-later
#include "../disc/DiscTestSupport.h"
#include "CliInFolder.h"
#include "cli/JsonOutput.h"
#include "disc/ImageOptions.h"

#include <gmock/gmock.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platterwise::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// best and plan on a small collection: a custom size of 3 Mb (1,464 sectors) holds about two
// of its items.
class DiscCommand : public CliInFolder {
protected:
    void SetUp() override {
        dir_.File("music/Album = One/01.flac", 900'000);
        dir_.File("music/Album = One/02.flac", 500'000);
        dir_.File("music/Two/CD1/01.flac", 1'200'000);
        dir_.File("music/Three/CD1/01.flac", 700'000);
        dir_.File("music/" + odd_, 300'000);
        dir_.File("music/big.iso", 9'000'000);
        EnterMusic();
    }

    const std::string odd_ = "red\x1b[31m\xff.flac";
};

TEST_F(DiscCommand, BestPrintsTheDiscAndACommandThatWritesExactlyThatImage) {
    ASSERT_EQ(Run({"best", "--size", "3", "Album = One", "Two/CD1", "Three/CD1", odd_, "big.iso"}),
              kExitFound);
    const std::string text = out_.str();
    EXPECT_THAT(text, StartsWith("Fullest disc on 3 Mb (1,464 sectors of 2,048 bytes):\nDisc 1: "));
    EXPECT_THAT(text, HasSubstr("\nToo large for a disc (1):\n  file         4,396 sectors"
                                "         9,000,000 bytes  big.iso\n"));
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_EQ(err_.str(), "");

    // The command, run as printed, writes the image whose size was verified.
    const std::size_t at = text.find("  xorriso ");
    ASSERT_NE(at, std::string::npos);
    const std::string command = text.substr(at + 2, text.find('\n', at) - at - 2);
    int status = -1;
    testing::RunCommand({"/bin/sh", "-c", command}, status);
    ASSERT_EQ(status, 0) << command;
    struct stat st {};
    ASSERT_EQ(::stat("disc1.iso", &st), 0);
    ASSERT_EQ(Run({"best", "--size", "3", "--json", "Album = One", "Two/CD1", "Three/CD1", odd_,
                   "big.iso"}),
              kExitFound);
    const TJson json = TJson::parse(out_.str());
    EXPECT_EQ(std::int64_t(st.st_size),
              json["discs"][0]["image_sectors"].get<std::int64_t>() * 2048);

    // Names escaped for the terminal and quoted for the shell; two of one name told apart.
    ASSERT_EQ(Run({"plan", "--size", "4", "Album = One", "Two/CD1", "Three/CD1", odd_}),
              kExitFound);
    EXPECT_THAT(out_.str(), HasSubstr(" bytes  red\\e[31m\\xff.flac\n"));
    EXPECT_THAT(out_.str(), HasSubstr(" \"$(printf '/red\\033[31m\\377.flac=" +
                                      dir_ / "music/red\\033[31m\\377.flac')\""));
    EXPECT_THAT(out_.str(), HasSubstr(" bytes  CD1 (2)  (" + dir_ / "music/Three/CD1)\n"));
    EXPECT_EQ(out_.str().find('\x1b'), std::string::npos);
}

TEST_F(DiscCommand, PlanJsonListsEveryDiscAndItsGraftPointsAreWhatXorrisoSizes) {
    ASSERT_EQ(Run({"plan", "--size", "3", "--json", "--graft-points", "lists", "Album = One",
                   "Two/CD1", "Three/CD1", odd_, "big.iso"}),
              kExitFound);
    const TJson json = TJson::parse(out_.str());
    EXPECT_EQ(json["medium"], "custom");
    EXPECT_EQ(json["capacity_sectors"], 1464);
    EXPECT_GE(json["discs"].size(), json["lower_bound"].get<std::size_t>());
    int items = 0;
    for (std::size_t i = 0; i < json["discs"].size(); ++i) {
        const TJson& disc = json["discs"][i];
        EXPECT_TRUE(disc["verified"].get<bool>());
        EXPECT_EQ(disc["spare_sectors"].get<std::int64_t>(),
                  1464 - disc["image_sectors"].get<std::int64_t>());
        // Absolute, so that it serves from any folder.
        const std::string list = dir_ / ("music/lists/disc" + std::to_string(i + 1) + ".list");
        EXPECT_EQ(disc["graft_points"], list);
        EXPECT_EQ(testing::XorrisoPrintSize(XorrisoCommand({}, list, {})), disc["image_sectors"]);
        for (const TJson& item : disc["items"]) {
            ++items;
            EXPECT_GT(item["bytes"].get<std::int64_t>() / 2048, 0);
            EXPECT_GT(item["sectors"].get<std::int64_t>(),
                      item["bytes"].get<std::int64_t>() / 2048);
            const bool isOdd =
                item["path"].get<std::string>().ends_with("red\x1b[31m\xef\xbf\xbd.flac");
            EXPECT_EQ(item.contains("path_base64"), isOdd);
            EXPECT_EQ(item["kind"], isOdd ? "file" : "folder");
            if (isOdd) {
                EXPECT_EQ(item["path_base64"], Base64(dir_ / ("music/" + odd_)));
            }
        }
    }
    EXPECT_EQ(items, 4);
    ASSERT_EQ(json["too_large"].size(), 1u);
    EXPECT_EQ(json["too_large"][0]["path"], dir_ / "music/big.iso");
}

// Lists written inside a selected item would change its image after it was sized; the folder is
// checked before the job, its lists are absolute, and a new run takes away what the last left.
TEST_F(DiscCommand, GraftPointListsGoOutsideTheSelectionAndReplaceAnEarlierRunsLists) {
    dir_.Link("music/alias", dir_ / "music/Two");
    for (const char* inside : {"Two/lists", "alias/lists", "Two"}) {
        EXPECT_EQ(Run({"best", "--size", "4", "--graft-points", inside, "Two", "Three/CD1"}),
                  kExitBadArguments);
        EXPECT_THAT(err_.str(), HasSubstr("is inside the selected item \"" + dir_ / "music/Two"));
        EXPECT_EQ(out_.str(), "");
    }
    struct stat st {};
    EXPECT_NE(::stat("Two/lists", &st), 0);

    ASSERT_EQ(Run({"plan", "--size", "3", "--graft-points", "lists", "Album = One", "Two/CD1",
                   "Three/CD1", odd_}),
              kExitFound);
    ASSERT_EQ(::stat("lists/disc2.list", &st), 0);
    ASSERT_EQ(Run({"plan", "--size", "100", "--graft-points", "lists", "Album = One", "Two/CD1"}),
              kExitFound);
    EXPECT_THAT(err_.str(),
                HasSubstr("platterwise-cli: removed " + dir_ / "music/lists/disc2.list"));
    EXPECT_NE(::stat("lists/disc2.list", &st), 0);
    // The command reads its list by its full path: it runs from any folder.
    const std::string text = out_.str();
    const std::size_t at = text.find("  xorriso ");
    ASSERT_NE(at, std::string::npos);
    const std::string command = text.substr(at + 2, text.find('\n', at) - at - 2);
    EXPECT_THAT(command, HasSubstr(" -path-list " + dir_ / "music/lists/disc1.list "));
    int status = -1;
    testing::RunCommand({"/bin/sh", "-c", "cd " + dir_ / "" + " && " + command}, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(::stat((dir_ / "disc1.iso").c_str(), &st), 0);
}

// Items that cannot go on a disc say why; names stay exact and items stay told apart.
TEST_F(DiscCommand, RefusedHugeAndSameNamedItemsAreToldApart) {
    dir_.File("music/huge.bin", kLargestXorrisoFile + 1);
    dir_.File("music/Box/huge.bin", kLargestXorrisoFile + 1);
    dir_.File("music/Line\nBreak/01.flac", 1'000);
    dir_.File("music/X/\xff/01.flac", 600'000);
    dir_.File("music/Y/\xff/01.flac", 600'000);
    ASSERT_EQ(Run({"plan", "--size", "1000000", "--json", "huge.bin", "Box", "Line\nBreak",
                   "X/\xff", "Y/\xff"}),
              kExitFound);
    const TJson json = TJson::parse(out_.str());
    std::string reasons;
    std::vector<std::string> codes;
    for (const TJson& refused : json["refused"]) {
        reasons += refused["kind"].get<std::string>() + ": " + refused["reason"].get<std::string>();
        codes.push_back(refused["reason_code"].get<std::string>());
    }
    EXPECT_THAT(
        codes, ElementsAre("larger_than_xorriso_takes", "larger_than_xorriso_takes", "line_break"));
    EXPECT_THAT(reasons, HasSubstr("file: \"" + dir_ / "music/huge.bin\" is larger than the "
                                                       "429,496,524,800 bytes"));
    EXPECT_THAT(reasons, HasSubstr("folder: \"" + dir_ / "music/Box/huge.bin\" is larger"));
    EXPECT_THAT(reasons, HasSubstr("folder: \"" + dir_ / "music/Line\\nBreak\" holds"));
    EXPECT_EQ(json["discs"][0]["items"][1]["name_base64"], Base64("\xff (2)"));
    // xorriso refuses that file too.
    EXPECT_EQ(testing::XorrisoPrintSize(
                  XorrisoCommand({}, std::vector<TGraftPoint>{{"h", dir_ / "music/huge.bin"}}, {})),
              -1);

    // 1 TB and over still line up; one name on two discs shows where each comes from.
    dir_.File("music/Tera/a.bin", 400'000'000'000LL);
    dir_.File("music/Tera/b.bin", 400'000'000'000LL);
    dir_.File("music/Tera/c.bin", 200'000'000'002LL);
    ASSERT_EQ(Run({"plan", "--size", "1", "Tera", "X/\xff", "Y/\xff"}), kExitFound);
    const std::string text = out_.str();
    EXPECT_THAT(text, HasSubstr("\n  folder 488,281,272 sectors 1,000,000,000,002 bytes  Tera\n"));
    EXPECT_THAT(
        text, HasSubstr(" sectors           600,000 bytes  \\xff  (" + dir_ / "music/X/\\xff)\n"));
    EXPECT_THAT(
        text, HasSubstr(" sectors           600,000 bytes  \\xff  (" + dir_ / "music/Y/\\xff)\n"));
}

// A folder whose image is far above its plan, and one holding a link libisofs refuses: each
// is listed apart, the rest planned, and the output printed.
TEST_F(DiscCommand, OneBadItemNeverSinksTheOthers) {
    dir_.File("music/Linked/target/01.flac", 10);
    for (int i = 0; i < 300; ++i) {
        dir_.Link("music/Linked/links/l" + std::to_string(i), "../target");
    }
    dir_.Link("music/Bad/long", std::string(1'100, 'x'));
    ASSERT_EQ(Run({"best", "--size", "1", "Linked/links", "Bad", "Three/CD1"}), kExitFound);
    EXPECT_THAT(out_.str(), HasSubstr(" sectors           700,000 bytes  CD1\n"));
    EXPECT_THAT(out_.str(), HasSubstr("\nToo large for a disc (1):\n  folder "));
    EXPECT_THAT(out_.str(), HasSubstr("\nCannot go on a disc (1):\n  \"" +
                                      dir_ / "music/Bad/long\" is a link"));
    ASSERT_EQ(Run({"plan", "--size", "1", "--json", "Linked/links", "Bad", "Three/CD1"}),
              kExitFound);
    const TJson json = TJson::parse(out_.str());
    EXPECT_EQ(json["discs"].size(), 1u);
    EXPECT_EQ(json["too_large"][0]["path"], dir_ / "music/Linked/links");
    EXPECT_EQ(json["refused"][0]["path"], dir_ / "music/Bad");
}

TEST_F(DiscCommand, NothingFitsAndBadArgumentsHaveTheirExitStatus) {
    EXPECT_EQ(Run({"best", "--size", "1", "Two/CD1", "big.iso"}), kExitNotFound);
    EXPECT_THAT(out_.str(), StartsWith("Nothing fits on 1 Mb (488 sectors of 2,048 bytes).\n"));
    EXPECT_EQ(Run({"plan", "--size", "1", "--json", "big.iso"}), kExitNotFound);
    EXPECT_THAT(out_.str(), StartsWith("{\"medium\":\"custom\",\"capacity_sectors\":488,"
                                       "\"lower_bound\":0,\"discs\":[],\"too_large\":[{"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"best", "--medium", "dvd", "big.iso"},
             {"plan", "--size", "0", "big.iso"},
             {"plan", "--size", "3", "--medium", "cd-r", "big.iso"},
             {"best", "--graft-points"},
             {"best", "--paths", "big.iso"},
             {"plan", "gone.flac"},
         }) {
        EXPECT_EQ(Run(args), kExitBadArguments) << args[1];
        const std::string message = err_.str();
        EXPECT_THAT(message, StartsWith("platterwise-cli: "));
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(Run({"best", "--medium", "BD-R", "--graft-points", "/proc/none", "big.iso"}),
              kExitBadArguments);
    EXPECT_THAT(err_.str(), HasSubstr("/proc/none: "));
}

} // namespace
} // namespace platterwise::cli
