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
                                "       9,000,000 bytes  big.iso\n"));
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_EQ(err_.str(), "");

    // The command, run as printed, writes the image whose size was verified.
    const std::size_t at = text.find("  xorriso ");
    ASSERT_NE(at, std::string::npos);
    const std::string command = text.substr(at + 2, text.find('\n', at) - at - 2);
    int status = -1;
    testing::RunCommand({"bash", "-c", command}, status);
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
    EXPECT_THAT(out_.str(),
                HasSubstr(" $'/red\\e[31m\\xff.flac=" + dir_ / "music/red\\e[31m\\xff.flac'"));
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
        const std::string list = "lists/disc" + std::to_string(i + 1) + ".list";
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
