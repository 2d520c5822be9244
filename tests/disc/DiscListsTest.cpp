// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscLists.h"

#include "DiscTestSupport.h"
#include "disc/FitCheck.h"
#include "engine/ShellText.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <sys/stat.h>

namespace platterwise {
namespace {

using testing::TempDir;

std::string Content(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(DiscLists, ListAndScriptPerDiscTheScriptWritingTheImageOfItsList) {
    TempDir dir;
    dir.File("music/a b.flac", 500'000);
    dir.File("music/c.flac", 300'000);
    std::vector<TDiscJobDisc> discs(2);
    discs[0].GraftPoints = {{"a b.flac", dir / "music/a b.flac"}};
    discs[1].GraftPoints = {{"c.flac", dir / "music/c.flac"}};
    const std::string out = dir / "lists/";
    const auto written = WriteDiscListsAndCommands(out, discs, {});
    ASSERT_EQ(written, (std::vector<std::string>{out + "disc1.list", out + "disc1.sh",
                                                 out + "disc2.list", out + "disc2.sh"}));
    EXPECT_EQ(Content(written[2]), GraftPointList(discs[1].GraftPoints));
    const std::string script = Content(written[1]);
    EXPECT_EQ(script, "#!/bin/sh\n" + DiscCommandLine({}, discs[0], 0, written[0]) + "\n");
    EXPECT_NE(script.find("disc1.iso"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(written[1].c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
}

// 600 graft points of 3,900-byte paths, each with a control character: 2.3 MB, over what the
// kernel passes to a program.
TEST(DiscLists, ACommandOfAnyLengthRunsUnderShWritingTheImageItsListDescribes) {
    TempDir dir;
    std::string deep = "music";
    while (deep.size() < 3'800) {
        deep += "/" + std::string(200, 'd');
    }
    dir.File(deep + "/a$`\\\x1b.flac", 3'000);
    const std::string file = dir / (deep + "/a$`\\\x1b.flac");
    TDiscJobDisc disc;
    for (int i = 0; i < 600; ++i) {
        std::string name = "t";
        name += std::to_string(i);
        name += i == 7 ? "\x1b$x" : "";
        disc.GraftPoints.push_back({name, file});
    }
    const std::string command = DiscCommandLine({}, disc, 0, {});
    EXPECT_LT(command.find('\n'), kLongestCommandLine);
    EXPECT_EQ(command.find('\x1b'), std::string::npos);
    // As a script: one argument of `sh -c` takes at most 128 KiB.
    testing::WriteText(dir / "run.sh", "cd " + ShellQuote(dir / "") + "\n" + command + "\n");
    int status = -1;
    testing::RunCommand({"/bin/sh", dir / "run.sh"}, status);
    ASSERT_EQ(status, 0);
    const std::string list = dir / "all.list";
    testing::WriteText(list, GraftPointList(disc.GraftPoints));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "disc1.iso").c_str(), &st), 0);
    EXPECT_EQ(std::int64_t(st.st_size),
              testing::XorrisoPrintSize(XorrisoCommand({}, list, {})) * 2048);
    // A few items keep the one-line command.
    disc.GraftPoints.resize(3);
    EXPECT_EQ(DiscCommandLine({}, disc, 0, {}).find('\n'), std::string::npos);
}

// A second run into the folder removes the first one's lists and scripts for discs it no longer
// has, and nothing else, however it is named.
TEST(DiscLists, StaleListsOfAnEarlierRunGoOthersStay) {
    TempDir dir;
    dir.File("music/a.flac", 1'000);
    std::vector<TDiscJobDisc> discs(3);
    for (TDiscJobDisc& disc : discs) {
        disc.GraftPoints = {{"a.flac", dir / "music/a.flac"}};
    }
    const std::string out = dir / "lists";
    WriteDiscListsAndCommands(out, discs, {});
    for (const char* other : {"disc4.list", "disc5.sh", "disc03.list", "notes.txt"}) {
        testing::WriteText(out + "/" + other, "mine\n");
    }
    discs.resize(1);
    std::vector<std::string> removed;
    EXPECT_EQ(WriteDiscLists(out, discs, &removed), std::vector<std::string>{out + "/disc1.list"});
    EXPECT_EQ(removed, (std::vector<std::string>{out + "/disc2.list", out + "/disc2.sh",
                                                 out + "/disc3.list", out + "/disc3.sh"}));
    for (const char* kept :
         {"disc1.list", "disc1.sh", "disc4.list", "disc5.sh", "disc03.list", "notes.txt"}) {
        struct stat st {};
        EXPECT_EQ(::stat((out + "/" + kept).c_str(), &st), 0) << kept;
    }
}

TEST(DiscLists, AFileInTheWayIsNamedWithTheSystemsReason) {
    TempDir dir;
    dir.File("taken", 1);
    std::vector<TDiscJobDisc> discs(1);
    try {
        WriteDiscLists(dir / "taken", discs);
        FAIL() << "wrote into a file";
    } catch (const TDiscFileError& e) {
        EXPECT_EQ(e.Path(), dir / "taken/disc1.list");
        EXPECT_EQ(e.Error(), ENOTDIR);
    }
}

TEST(FitCheck, ExactImageAgainstTheCapacityToTheLastSector) {
    TempDir dir;
    dir.File("Album/01.flac", 3'000'000);
    dir.File("single.flac", 700'000);
    const std::vector<std::string> paths{dir / "Album", dir / "single.flac"};
    const std::string list = dir / "fit.list";
    testing::WriteText(list, GraftPointList({{"Album", paths[0]}, {"single.flac", paths[1]}}));
    const std::int64_t exact = testing::XorrisoPrintSize(XorrisoCommand({}, list, {}));
    ASSERT_GT(exact, 0);
    const TFitCheck full = CheckFit(paths, exact);
    EXPECT_EQ(full.ImageSectors, exact);
    EXPECT_TRUE(full.Fits());
    EXPECT_EQ(full.SpareSectors(), 0);
    const TFitCheck over = CheckFit(paths, exact - 1);
    EXPECT_FALSE(over.Fits());
    EXPECT_EQ(over.OverSectors(), 1);
    EXPECT_THROW(CheckFit({dir / "missing.flac"}, exact), TDiscError);
}

} // namespace
} // namespace platterwise
