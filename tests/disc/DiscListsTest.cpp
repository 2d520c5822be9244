#include "disc/DiscLists.h"

#include "DiscTestSupport.h"
#include "disc/FitCheck.h"

#include <fstream>
#include <gtest/gtest.h>
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
    EXPECT_EQ(script, "#!/bin/bash\n" + DiscCommandLine({}, discs[0], 0, written[0]) + "\n");
    EXPECT_NE(script.find("disc1.iso"), std::string::npos);
    struct stat st {};
    ASSERT_EQ(::stat(written[1].c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
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
