// SPDX-License-Identifier: GPL-3.0-or-later
#include "../disc/DiscTestSupport.h"
#include "CliInFolder.h"
#include "cli/CliArguments.h"
#include "cli/JsonOutput.h"
#include "cli/PathSource.h"
#include "tests/support/EngineFakes.h"

#include <gmock/gmock.h>
#include <sstream>
#include <unistd.h>

namespace platterwise::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TParseResult Parse(std::vector<std::string> args) {
    return ParseArguments(args);
}

TEST(CliArguments, DefaultsAreTheWindowsDefaults) {
    const auto r = Parse({"fill", "a"});
    ASSERT_TRUE(r.Arguments);
    EXPECT_EQ(r.Arguments->Command, TCommand::Fill);
    EXPECT_EQ(r.Arguments->Fields.TargetMode, kMediaSizeMode);
    EXPECT_EQ(r.Arguments->Fields.TemplateIndex, 0);
    EXPECT_EQ(r.Arguments->Fields.DeviationText, "25");
    EXPECT_EQ(r.Arguments->Fields.SamplesText, "1000");
    EXPECT_FALSE(r.Arguments->Fields.BothDirections);
    EXPECT_FALSE(r.Arguments->Seed);
}

TEST(CliArguments, MediaMapOntoTheTemplatesAndSizesOntoCustomMode) {
    EXPECT_EQ(Parse({"fill", "--medium", "DVD-R", "a"}).Arguments->Fields.TemplateIndex, 1);
    EXPECT_EQ(Parse({"fill", "--medium", "dvd+r-dl", "a"}).Arguments->Fields.TemplateIndex, 2);
    EXPECT_EQ(Parse({"total", "--medium", "cd-r", "a"}).Arguments->Fields.TemplateIndex, 3);
    const auto custom = Parse({"fill", "--size", "$10", "--deviation", " 5", "--samples", "x20",
                               "--seed", "0x10", "--both", "a", "b"});
    ASSERT_TRUE(custom.Arguments);
    EXPECT_EQ(custom.Arguments->Fields.TargetMode, kCustomSizeMode);
    EXPECT_EQ(custom.Arguments->Fields.CustomSizeText, "$10");
    EXPECT_EQ(custom.Arguments->Fields.DeviationText, " 5");
    EXPECT_EQ(custom.Arguments->Seed, 16u);
    EXPECT_TRUE(custom.Arguments->Fields.BothDirections);
    EXPECT_EQ(custom.Arguments->Paths, (std::vector<std::string>{"a", "b"}));
}

TEST(CliArguments, BadArgumentsAreNamedOnOneLine) {
    struct Case {
        std::vector<std::string> Args;
        std::string Named;
    };
    for (const Case& c : std::vector<Case>{
             {{"eject", "a"}, "eject:"},
             {{"burn", "a"}, "--drive:"},
             {{"burn", "--drive", "/dev/sr0"}, "DISC:"},
             {{"burn", "--drive", "/dev/sr0", "--speed", "0", "a"}, "--speed:"},
             {{"drives", "a"}, "a:"},
             {{"fill", "--medium", "bluray", "a"}, "--medium:"},
             {{"fill", "--size", "4,7", "a"}, "--size:"},
             {{"fill", "--size", "10", "--medium", "cd-r", "a"}, "--medium:"},
             {{"fill", "--deviation", "25 ", "a"}, "--deviation:"},
             {{"fill", "--deviation", "3000000000", "a"}, "--deviation:"},
             {{"fill", "--samples", "", "a"}, "--samples:"},
             {{"fill", "--seed", "-1", "a"}, "--seed:"},
             {{"fill", "--seed", "4294967296", "a"}, "--seed:"},
             {{"fill", "--frobnicate", "a"}, "--frobnicate:"},
             {{"fill", "--json", "--paths", "a"}, "--paths:"},
             {{"fill", "-0", "a"}, "-0:"},
             {{"total", "--both", "a"}, "--both:"},
             {{"fill", "--button", "a"}, "--button:"},
             {{"fill"}, "PATH:"},
             {{"fill", "--size"}, "--size:"},
             {{"fill", "--size", "1000001", "a"}, "--size:"},
             {{"total", "--from0", "a"}, "--from0:"},
             {{"best", "-0", "a"}, "-0: not an option of best"},
             {{"plan", "--size", "4611686018427387904", "a"}, "--size:"},
             {{"plan", "--graft-points", "", "a"}, "--graft-points:"},
             {{"best", ""}, "'': an empty PATH"},
             {{"plan", "--time-limit", "-1", "a"}, "--time-limit:"},
             {{"plan", "--time-limit", "soon", "a"}, "--time-limit:"},
             {{"best", "--time-limit", "1", "a"}, "--time-limit:"},
         }) {
        const auto r = ParseArguments(c.Args);
        EXPECT_FALSE(r.Arguments) << c.Named;
        EXPECT_THAT(r.Error, StartsWith(c.Named));
        EXPECT_EQ(r.Error.find('\n'), std::string::npos);
    }
}

TEST(CliArguments, PlanTakesATimeLimitForTheSearchForFewerDiscs) {
    EXPECT_EQ(Parse({"plan", "a"}).Arguments->PlanSeconds, 3.0);
    EXPECT_EQ(Parse({"plan", "--time-limit", "0.5", "a"}).Arguments->PlanSeconds, 0.5);
    EXPECT_EQ(Parse({"plan", "--time-limit", "0", "a"}).Arguments->PlanSeconds, 0.0);
}

TEST(CliArguments, DoubleDashEndsTheOptions) {
    const auto r = Parse({"fill", "--", "--both"});
    ASSERT_TRUE(r.Arguments);
    EXPECT_EQ(r.Arguments->Paths, (std::vector<std::string>{"--both"}));
    EXPECT_FALSE(r.Arguments->Fields.BothDirections);
}

TEST(AbsolutePath, JoinsWithTheWorkingDirectoryAndDropsTrailingSeparators) {
    EXPECT_EQ(AbsolutePath("music", "/home/u"), "/home/u/music");
    EXPECT_EQ(AbsolutePath("music/", "/home/u"), "/home/u/music");
    EXPECT_EQ(AbsolutePath("./a//b/.", "/w"), "/w/a/b");
    EXPECT_EQ(AbsolutePath("/abs/x", "/w"), "/abs/x");
    EXPECT_EQ(AbsolutePath("/", "/w"), "/");
    EXPECT_EQ(AbsolutePath("..", "/w/x"), "/w/x/.."); // links are not resolved
    EXPECT_EQ(AbsolutePath("\xff\xfe", "/w"), "/w/\xff\xfe");
}

TEST(Base64, GivesTheExactBytesWithPadding) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("/m/\xff\xfe"), "L20v//4=");
}

class CliRun : public CliInFolder {
protected:
    void SetUp() override {
        dir_.File("music/a/x.flac", 2'000'000'000LL);
        dir_.File("music/2010/y.flac", 2'690'000'000LL);
        dir_.File("music/b/z.ape", 1'500'000'000LL);
        dir_.File("music/c.cue", 10);
        EnterMusic();
    }
};

TEST_F(CliRun, FillPrintsTheMessageLineAndTheChosenNamesFoldersFirst) {
    EXPECT_EQ(Run({"fill", "--seed", "3", "c.cue", "a", "b", "2010"}), kExitFound);
    EXPECT_EQ(out_.str(), "Prepared 4,690,000,000 байт\na\n2010\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(CliRun, FillPathsAreFullAndCanBeNulSeparated) {
    EXPECT_EQ(Run({"fill", "--seed", "3", "--paths", "-0", "c.cue", "a/", "b", "2010"}),
              kExitFound);
    const std::string base = (dir_ / "music").c_str();
    EXPECT_EQ(out_.str(), base + "/a" + '\0' + base + "/2010" + '\0');
}

TEST_F(CliRun, FillJsonCarriesOutcomeWindowAndItems) {
    EXPECT_EQ(Run({"fill", "--seed", "3", "--json", "--both", "a", "b", "2010"}), kExitFound);
    EXPECT_THAT(out_.str(), StartsWith("{\"outcome\":\"found\",\"target_mb\":4700,"));
    EXPECT_THAT(out_.str(), HasSubstr("\"window\":{\"lower\":4675000000,\"upper\":4725000000}"));
    EXPECT_THAT(out_.str(), HasSubstr("\"kind\":\"folder\",\"size\":2000000000}"));
}

// The designed texts stay; JSON tells whether the image burns, sized as xorriso sizes it, and
// standard error says so when it does not.
TEST_F(CliRun, FillSaysWhetherItsAnswerFitsTheRealDisc) {
    dir_.File("music/Many/00.flac", 0);
    for (int i = 0; i < 100; ++i) {
        dir_.File("music/Many/" + std::to_string(i) + ".flac", 29'900);
    }
    // 2,990,000 bytes in 3 Mb (1,464 sectors), but 100 files of 15 sectors each.
    EXPECT_EQ(Run({"fill", "--size", "3", "--deviation", "1", "--seed", "1", "--json", "Many"}),
              kExitFound);
    const TJson json = TJson::parse(out_.str());
    const std::int64_t exact =
        testing::XorrisoPrintSize({"xorriso", "-as", "mkisofs", "-iso-level", "3", "-r", "-J",
                                   "-joliet-long", "-f", "-input-charset", "UTF-8", "-no-pad",
                                   "-graft-points", "/Many=" + dir_ / "music/Many", "-print-size"});
    EXPECT_EQ(json["fit"], TJson({{"medium", "custom"},
                                  {"capacity_sectors", 1464},
                                  {"image_sectors", exact},
                                  {"spare_sectors", 1464 - exact}}));
    EXPECT_LT(1464 - exact, 0);
    const std::string said = err_.str();
    EXPECT_THAT(said, HasSubstr(" more than 3 Mb holds (1,464); platterwise-cli best "));
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(Run({"fill", "--size", "3", "--deviation", "1", "--seed", "1", "Many"}), kExitFound);
    EXPECT_EQ(out_.str(), "Prepared 2,990,000 байт\nMany\n");

    EXPECT_EQ(Run({"fill", "--seed", "3", "--json", "c.cue", "a", "b", "2010"}), kExitFound);
    const TJson fits = TJson::parse(out_.str())["fit"];
    EXPECT_EQ(fits["medium"], "dvd+r");
    EXPECT_EQ(fits["capacity_sectors"].get<std::int64_t>() -
                  fits["image_sectors"].get<std::int64_t>(),
              fits["spare_sectors"].get<std::int64_t>());
    EXPECT_GE(fits["spare_sectors"].get<std::int64_t>(), 0);
    EXPECT_EQ(err_.str(), "");
}

// Paths from a file or standard input, for more than a command line holds, on every command.
TEST_F(CliRun, FilesFromReadsLinesOrNulSeparatedPaths) {
    ASSERT_EQ(Run({"total", "a", "b", "c.cue"}), kExitFound);
    const std::string expected = out_.str();
    testing::WriteText(dir_ / "paths.txt", "a\n\nb\n");
    EXPECT_EQ(Run({"total", "--files-from", dir_ / "paths.txt", "c.cue"}), kExitFound);
    EXPECT_EQ(out_.str(), expected);
    std::istringstream in(std::string("a\0b\0c.cue\0", 11));
    out_.str({});
    EXPECT_EQ(RunCli({"total", "--files-from", "-", "--from0"}, in, out_, err_), kExitFound);
    EXPECT_EQ(out_.str(), expected);
    EXPECT_EQ(Run({"fill", "--files-from", "gone.txt"}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: --files-from: gone.txt: No such file or directory\n");
}

TEST_F(CliRun, NoCombinationExitsWithOneAndShowsTheBoxOnStandardError) {
    EXPECT_EQ(Run({"fill", "--size", "100000", "a"}), kExitNotFound);
    EXPECT_EQ(out_.str(), "You fail me, bungler!\nStill nothing to burn!\n");
    EXPECT_THAT(err_.str(), StartsWith("Selected files/folders have smaller size than you have set "
                                       "for target media!\nРешение"));
    EXPECT_EQ(Run({"fill", "--medium", "cd-r", "--samples", "3", "a"}), kExitNotFound);
    EXPECT_EQ(out_.str(), "U aint lucky! Never to burn those lossless music! :(\n");
    EXPECT_THAT(err_.str(), StartsWith("Program checked 3 variants"));
}

TEST_F(CliRun, APathThatCannotBeLookedUpIsAnErrorNamingItAndWhatFailed) {
    EXPECT_EQ(Run({"fill", "a", "gone.flac"}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: gone.flac: No such file or directory\n");
    EXPECT_EQ(out_.str(), "");
    const std::string tooLong(300, 'n');
    EXPECT_EQ(Run({"total", tooLong}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: " + tooLong + ": File name too long\n");
    EXPECT_EQ(Run({"total", "c.cue/x"}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: c.cue/x: Not a directory\n");
}

TEST_F(CliRun, WhatCouldNotBeReadInsideAFolderIsReportedLineByLine) {
    dir_.Link("music/a/broken", "nowhere");
    dir_.Link("music/a/loop", "loop");
    EXPECT_EQ(Run({"total", "a"}), kExitFound);
    const std::string a = dir_ / "music/a";
    EXPECT_THAT(err_.str(),
                HasSubstr("platterwise-cli: " + a + "/broken: No such file or directory\n"));
    EXPECT_THAT(err_.str(),
                HasSubstr("platterwise-cli: " + a + "/loop: Too many levels of symbolic links\n"));
    EXPECT_THAT(out_.str(), HasSubstr("2,000,000,000 of"));
}

TEST_F(CliRun, NamesAreEscapedOnTheTerminalAndExactInPathsAndJson) {
    const std::string odd = "\x1b[31mred\nline\xff";
    dir_.File("music/" + odd, 4'690'000'000LL);
    EXPECT_EQ(Run({"fill", "--seed", "1", odd}), kExitFound);
    EXPECT_EQ(out_.str(), "Prepared 4,690,000,000 байт\n\\e[31mred\\nline\\xff\n");

    EXPECT_EQ(Run({"fill", "--seed", "1", "--paths", "-0", odd}), kExitFound);
    EXPECT_EQ(out_.str(), dir_ / ("music/" + odd) + '\0');

    EXPECT_EQ(Run({"fill", "--seed", "1", "--json", odd, "a"}), kExitFound);
    EXPECT_THAT(out_.str(),
                HasSubstr("\"path_base64\":\"" + Base64(dir_ / ("music/" + odd)) + '"'));
    EXPECT_EQ(out_.str().find("path_base64", out_.str().find("path_base64") + 1),
              std::string::npos); // only for the path that is not UTF-8
}

TEST_F(CliRun, TotalPrintsTheReportAndWhetherItFills) {
    EXPECT_EQ(Run({"total", "--medium", "cd-r", "c.cue"}), kExitFound);
    EXPECT_EQ(out_.str(), "Selected: folders - 0 , files - 1\nTotal size: 0 Mb (10 bytes)\n"
                          "Smaller than the medium: 10 of 700,000,000 bytes\n");
    EXPECT_EQ(Run({"total", "--button", "a", "b"}), kExitFound);
    EXPECT_EQ(out_.str(), "Oh, thats a big momma! :)\nВыделено: папок - 2 , файлов - 0\n"
                          "Общий размер: 3500 Mb (3,500,000,000 bytes)\n"
                          "Smaller than the medium: 3,500,000,000 of 4,700,000,000 bytes\n");
}

TEST_F(CliRun, HelpAndBadArguments) {
    EXPECT_EQ(Run({"--help"}), kExitFound);
    EXPECT_THAT(out_.str(), HasSubstr("platterwise-cli fill"));
    EXPECT_EQ(Run({"--version"}), kExitFound);
    EXPECT_THAT(out_.str(), ::testing::StartsWith("platterwise-cli " PLATTERWISE_VERSION "\n"));
    EXPECT_THAT(out_.str(), HasSubstr("\nLicense GPL-3.0-or-later: "));
    EXPECT_EQ(Run({"fill", "--deviation", "x", "a"}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: --deviation: needs a whole number of Mb (32-bit)\n");
    EXPECT_EQ(Run({"fill", "--\x1b[2J", "a"}), kExitBadArguments);
    EXPECT_EQ(err_.str(), "platterwise-cli: --\\e[2J: unknown option\n");
}

} // namespace
} // namespace platterwise::cli
