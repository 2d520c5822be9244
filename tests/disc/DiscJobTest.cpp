// SPDX-License-Identifier: GPL-3.0-or-later
#include "disc/DiscJob.h"

#include "DiscTestSupport.h"
#include "disc/DiscCountBound.h"
#include "disc/FitCheck.h"
#include "disc/ImageSizer.h"
#include "image/ImageCost.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platterwise {
namespace {

using testing::TempDir;

std::string Quoted(const std::string& path) {
    return std::string(1, '"').append(path).append(1, '"');
}

// The refusals' codes as programs read them, in the result's order.
std::vector<std::string_view> ReasonCodes(const TDiscJobResult& r) {
    std::vector<std::string_view> codes;
    for (const TRefusedItem& refused : r.Refused) {
        codes.push_back(CodeName(refused.Reason.Code));
    }
    return codes;
}

// Albums, two folders named "CD1", loose tracks, a file too large for the disc, and items
// that cannot go on one.
class DiscJob : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.File("Album A/01 Intro.flac", 3'000'000);
        dir_.File("Album A/02 Song.flac", 2'500'000);
        dir_.File("Album A/cover.jpg", 90'000);
        dir_.File("Album B/CD1/01.flac", 1'000'000);
        dir_.File("Album C/CD1/01.flac", 1'200'000);
        dir_.File("Album C/CD1/02.flac", 600'000);
        dir_.File("single.flac", 700'000);
        dir_.File("other.flac", 1'900'000);
        dir_.File("huge.iso", 50'000'000);
        for (const char* item :
             {"Album A", "Album B/CD1", "Album C/CD1", "single.flac", "other.flac", "huge.iso"}) {
            Add(item);
        }
    }
    void Add(const std::string& rel) {
        request_.Items.push_back({std::filesystem::is_directory(dir_ / rel), dir_ / rel});
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const TRowItem& row : request_.Items) {
            paths.push_back(row.FullPathName);
        }
        return paths;
    }
    // What the xorriso command prints for the disc's graft points, read from a list file.
    std::int64_t XorrisoSectors(const TDiscJobDisc& disc) const {
        const std::string list = dir_ / "disc.list";
        testing::WriteText(list, GraftPointList(disc.GraftPoints));
        return testing::XorrisoPrintSize(XorrisoCommand(request_.Options, list, {}));
    }

    TempDir dir_;
    TDiscJobRequest request_{TDiscJobKind::FullestDisc, {}, 4'000, {}};
};

TEST_F(DiscJob, FullestDiscIsMeasuredExactlyAndNamesTheItemsItLeftOut) {
    std::vector<TDiscJobProgress> seen;
    const TDiscJobResult r = RunDiscJob(request_, [&](const auto& p) { seen.push_back(p); });
    ASSERT_EQ(r.Status, TDiscJobStatus::Done);
    ASSERT_EQ(r.Discs.size(), 1u);
    const TDiscJobDisc& disc = r.Discs[0];
    std::vector<std::size_t> chosen;
    for (const TDiscJobItem& item : disc.Items) {
        chosen.push_back(item.Position);
    }
    std::sort(chosen.begin(), chosen.end());
    TImageSizer sizer(Paths());
    EXPECT_TRUE(disc.Verified);
    EXPECT_EQ(disc.ImageSectors, sizer.Sectors(chosen));
    EXPECT_EQ(disc.ImageSectors, XorrisoSectors(disc));
    EXPECT_LE(disc.ImageSectors, disc.PlannedSectors);
    EXPECT_EQ(disc.SpareSectors, 4'000 - disc.ImageSectors);
    EXPECT_EQ(disc.Proven, disc.SpareSectors == 0); // proven on the real image only when full
    // Folders first, each kind in selection order.
    for (std::size_t i = 1; i < disc.Items.size(); ++i) {
        const auto& a = disc.Items[i - 1];
        const auto& b = disc.Items[i];
        EXPECT_TRUE(a.Kind == ikFolder ? b.Kind == ikFile || a.Position < b.Position
                                       : b.Kind == ikFile && a.Position < b.Position);
    }
    ASSERT_EQ(r.TooLarge.size(), 1u);
    EXPECT_EQ(r.TooLarge[0].Path, dir_ / "huge.iso");
    EXPECT_EQ(r.TooLarge[0].Bytes, 50'000'000);
    EXPECT_GT(r.TooLarge[0].Sectors, 50'000'000 / 2048);
    EXPECT_TRUE(r.Refused.empty());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().MeasuredItems, 1u);
    EXPECT_EQ(seen.back().MeasuredItems, 6u);
    EXPECT_EQ(seen.back().DiscsPlanned, 1u);
}

// Many small files are planned above their real image: claims rest on the real sizes.
TEST_F(DiscJob, AnItemPlannedOverTheDiscButMeasuringWithinItIsPlacedAndTheBoundHolds) {
    for (int i = 0; i < 600; ++i) {
        dir_.File("tiny/" + std::to_string(i), 1);
    }
    request_.Items.clear();
    Add("tiny");
    const std::int64_t real = TImageSizer(Paths()).Sectors({0});
    request_.Kind = TDiscJobKind::Plan;
    request_.CapacitySectors = real;
    const TDiscJobResult r = RunDiscJob(request_);
    ASSERT_EQ(r.Status, TDiscJobStatus::Done);
    ASSERT_EQ(r.Discs.size(), 1u);
    // The item alone, with the image's own sectors, is planned over the disc.
    ASSERT_GT(r.Discs[0].Items[0].Sectors + FixedImageSectors(request_.Options.Pad), real)
        << "the plan no longer over-counts: no test";
    EXPECT_TRUE(r.TooLarge.empty());
    EXPECT_EQ(r.Discs[0].ImageSectors, real);
    EXPECT_EQ(r.LowerBound, 1);
}

// Three items each over half a disc in data alone: the image of all of them fits two discs,
// the data bound proves three. A file that two items reach counts for neither, and every set's
// real image holds at least the empty image and the data each item alone brings.
TEST_F(DiscJob, TheDataBoundProvesTheFewestDiscsOnRealImagesAndSharedFilesCountForNone) {
    request_.Items.clear();
    const std::int64_t capacity = 2'000;
    const std::int64_t empty = TImageSizer({}).Sectors({});
    const std::int64_t bytes = (capacity - empty) * 6 / 10 * 2048;
    for (const char* item : {"X", "Y", "Z"}) {
        dir_.File(std::string(item) + "/data.flac", bytes);
        Add(item);
    }
    dir_.File("W/a.flac", 10 * 2048 + 1); // 11 sectors
    ASSERT_EQ(::link((dir_ / "X/data.flac").c_str(), (dir_ / "W/shared.flac").c_str()), 0);
    Add("W");
    TImageSizer sizer(Paths());
    std::vector<const TImageTree*> trees;
    for (std::size_t k = 0; k < 4; ++k) {
        trees.push_back(&sizer.Tree(k));
    }
    const std::vector<std::int64_t> own = OwnDataSectors(trees);
    EXPECT_EQ(own, (std::vector<std::int64_t>{0, bytes / 2048, bytes / 2048, 11}));
    for (std::size_t set = 1; set < 16; ++set) {
        std::vector<std::size_t> chosen;
        std::int64_t least = empty;
        for (std::size_t k = 0; k < 4; ++k) {
            if ((set >> k) & 1) {
                chosen.push_back(k);
                least += own[k];
            }
        }
        EXPECT_GE(sizer.Sectors(chosen), least) << "set " << set;
    }

    request_.Items.pop_back(); // X, Y, Z: the data proves three discs
    request_.Kind = TDiscJobKind::Plan;
    request_.CapacitySectors = capacity;
    std::vector<TDiscJobProgress> seen;
    const TDiscJobResult r =
        RunDiscJob(request_, [&](const TDiscJobProgress& p) { seen.push_back(p); });
    ASSERT_EQ(r.Status, TDiscJobStatus::Done);
    ASSERT_LE(TImageSizer(Paths()).Sectors({0, 1, 2}), 2 * capacity)
        << "the image of all proves three already: no test";
    EXPECT_EQ(r.Discs.size(), 3u);
    EXPECT_EQ(r.LowerBound, 3);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().LowerBound, 3); // progress told the bound before the plan ended
}

TEST_F(DiscJob, PlanPutsEveryItemOnOneDiscWithNamesToldApartPerDisc) {
    request_.Kind = TDiscJobKind::Plan;
    request_.CapacitySectors = 2'000;
    dir_.File("Album D/CD1/01.flac", 500'000);
    Add("Album D/CD1"); // a third "CD1"
    const TDiscJobResult r = RunDiscJob(request_);
    ASSERT_EQ(r.Status, TDiscJobStatus::Done);
    EXPECT_GE(std::int64_t(r.Discs.size()), r.LowerBound);
    EXPECT_GE(r.LowerBound, 2);
    std::multiset<std::size_t> placed;
    bool renamed = false; // three "CD1" folders on two discs
    for (const TDiscJobDisc& disc : r.Discs) {
        EXPECT_TRUE(disc.Verified);
        EXPECT_LE(disc.ImageSectors, 2'000);
        EXPECT_EQ(disc.ImageSectors, XorrisoSectors(disc));
        std::set<std::string> names;
        for (const TDiscJobItem& item : disc.Items) {
            placed.insert(item.Position);
            EXPECT_TRUE(names.insert(item.ImageName).second) << item.ImageName;
            if (item.ImageName.starts_with("CD1 (")) {
                EXPECT_TRUE(item.ImageName == "CD1 (2)" || item.ImageName == "CD1 (3)");
                renamed = true;
            }
        }
    }
    EXPECT_TRUE(renamed);
    for (const TDiscJobItem& item : r.TooLarge) {
        placed.insert(item.Position);
    }
    EXPECT_EQ(placed, (std::multiset<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(DiscJob, ItemsThatCannotGoOnADiscAreRefusedAndTheRestPlanned) {
    dir_.File("line\nbreak.flac", 10);
    Add("line\nbreak.flac");
    request_.Items.push_back({false, dir_ / "gone.flac"});
    request_.Items.push_back({true, "/"});
    dir_.Folder("Album D/locked");
    dir_.Link("Album D/locked/loop", "loop"); // xorriso keeps a looping link as a link
    Add("Album D");
    const TDiscJobResult r = RunDiscJob(request_);
    ASSERT_EQ(r.Status, TDiscJobStatus::Done);
    ASSERT_EQ(r.Refused.size(), 3u);
    EXPECT_EQ(r.Refused[0].Item.Position, 6u);
    EXPECT_NE(r.Refused[0].Reason.Text.find("line break"), std::string::npos);
    EXPECT_EQ(r.Refused[1].Item.Position, 7u);
    EXPECT_NE(r.Refused[1].Reason.Text.find("No such file"), std::string::npos);
    EXPECT_EQ(r.Refused[2].Item.Position, 8u);
    EXPECT_EQ(ReasonCodes(r),
              (std::vector<std::string_view>{"line_break", "unreadable", "no_root_name"}));
    EXPECT_TRUE(r.Problems.Empty()); // the looping link goes on the disc as a link

    // A path inside a folder longer than xorriso takes: found when its tree is read for the
    // exact size, and the search made again without it.
    std::string deep = "Album E";
    for (int level = 0; level < 16; ++level) {
        deep += "/" + std::string(250, char('a' + level));
    }
    dir_.Folder(deep);
    const int folder = ::open((dir_ / deep).c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    ::close(::openat(folder, std::string(100, 't').c_str(), O_CREAT | O_WRONLY, 0644));
    ::close(folder);
    request_.Items.clear();
    Add("Album E");
    Add("single.flac");
    const TDiscJobResult deepResult = RunDiscJob(request_);
    ASSERT_EQ(deepResult.Refused.size(), 1u);
    EXPECT_EQ(deepResult.Refused[0].Item.Position, 0u);
    EXPECT_NE(deepResult.Refused[0].Reason.Text.find("longer path"), std::string::npos);
    EXPECT_EQ(ReasonCodes(deepResult), std::vector<std::string_view>{"path_too_long"});
    ASSERT_EQ(deepResult.Discs.size(), 1u);
    ASSERT_EQ(deepResult.Discs[0].Items.size(), 1u);
    EXPECT_EQ(deepResult.Discs[0].Items[0].Position, 1u);
}

TEST_F(DiscJob, AnItemGivenTwiceOrInsideAnotherIsRefusedAndTheFirstOrOuterOnePlanned) {
    request_.Kind = TDiscJobKind::Plan;
    Add("Album C");                                                     // 6: holds item 2
    request_.Items.push_back({false, dir_ / "Album A/../single.flac"}); // 7: item 3 again
    request_.Items.push_back({true, dir_ / "Album A/"});                // 8: item 0 again
    const TDiscJobResult r = RunDiscJob(request_);
    ASSERT_EQ(r.Refused.size(), 3u);
    EXPECT_EQ(r.Refused[0].Item.Position, 2u);
    EXPECT_EQ(r.Refused[0].Reason.Text, Quoted(dir_ / "Album C/CD1")
                                            .append(" is inside the selected item ")
                                            .append(Quoted(dir_ / "Album C")));
    EXPECT_EQ(r.Refused[1].Item.Position, 7u);
    EXPECT_NE(r.Refused[1].Reason.Text.find("\" is selected twice"), std::string::npos);
    EXPECT_EQ(r.Refused[2].Item.Position, 8u);
    EXPECT_EQ(ReasonCodes(r), (std::vector<std::string_view>{"inside_selected", "selected_twice",
                                                             "selected_twice"}));
    std::multiset<std::size_t> placed;
    for (const TDiscJobDisc& disc : r.Discs) {
        for (const TDiscJobItem& item : disc.Items) {
            placed.insert(item.Position);
        }
    }
    EXPECT_EQ(placed, (std::multiset<std::size_t>{0, 1, 3, 4, 6}));
}

TEST_F(DiscJob, AFolderHoldingAFileThisUserCannotReadIsRefusedBeforeTheSearch) {
    dir_.File("Album D/01.flac", 400'000);
    dir_.File("Album D/secret.flac", 400'000);
    dir_.File("locked.flac", 400'000);
    ::chmod((dir_ / "Album D/secret.flac").c_str(), 0);
    ::chmod((dir_ / "locked.flac").c_str(), 0);
    ::chmod(dir_.Path().c_str(), 0755);
    Add("Album D");
    Add("locked.flac"); // unreadable itself: refused as such, not as holding something
    // As an ordinary user (root reads everything): a child that drops its rights.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        const TDiscJobResult r = RunDiscJob(request_);
        const bool refused =
            r.Refused.size() == 2 && r.Refused[0].Item.Position == 6 &&
            r.Refused[0].Reason.Text == Quoted(dir_ / "Album D")
                                            .append(" holds what cannot be read: ")
                                            .append(Quoted(dir_ / "Album D/secret.flac"))
                                            .append(": Permission denied") &&
            r.Refused[0].Reason.Code == TDiscCode::HoldsUnreadable &&
            r.Refused[1].Reason.Text ==
                Quoted(dir_ / "locked.flac").append(" cannot be read: Permission denied") &&
            r.Refused[1].Item.Kind == ikFile && r.Problems.Count() == 1;
        ::_exit(refused && r.Status == TDiscJobStatus::Done ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A folder of 300 links to a sibling folder, where each link is a whole copy of the folder,
// as its walk plans it: alone over the disc, it is too large, never planned below its real
// size, and the item that fits is still planned.
TEST_F(DiscJob, AnItemWhoseImagePassesItsPlanIsTooLargeAndTheOthersArePlanned) {
    for (int i = 0; i < 10; ++i) {
        dir_.File("Linked/target/" + std::to_string(i) + ".flac", 10);
    }
    for (int i = 0; i < 300; ++i) {
        dir_.Link("Linked/links/l" + std::to_string(i), "../target");
    }
    request_.Items.clear();
    Add("Linked/links");
    Add("single.flac");
    request_.CapacitySectors = 488;
    const std::int64_t alone = testing::XorrisoPrintSize(XorrisoCommand(
        request_.Options, std::vector<TGraftPoint>{{"links", dir_ / "Linked/links"}}, {}));
    ASSERT_GT(alone, 488);
    for (const TDiscJobKind kind : {TDiscJobKind::FullestDisc, TDiscJobKind::Plan}) {
        request_.Kind = kind;
        const TDiscJobResult r = RunDiscJob(request_);
        ASSERT_EQ(r.Status, TDiscJobStatus::Done);
        ASSERT_EQ(r.TooLarge.size(), 1u);
        EXPECT_EQ(r.TooLarge[0].Position, 0u);
        EXPECT_GE(r.TooLarge[0].Sectors + FixedImageSectors(request_.Options.Pad), alone);
        EXPECT_TRUE(r.Unplaced.empty());
        ASSERT_EQ(r.Discs.size(), 1u);
        ASSERT_EQ(r.Discs[0].Items.size(), 1u);
        EXPECT_EQ(r.Discs[0].Items[0].Position, 1u);
        EXPECT_EQ(r.Discs[0].ImageSectors, XorrisoSectors(r.Discs[0]));
    }
}

// Links as xorriso takes them: one that leads nowhere or round in a loop goes on the disc as
// a link, nothing amiss; a way down through more than 40 links keeps the 41st as a link; a
// link whose target libisofs refuses refuses only its item, named by its whole path.
TEST_F(DiscJob, LinksGoOnTheDiscAsXorrisoTakesThem) {
    request_.Items.clear();
    request_.Kind = TDiscJobKind::Plan;
    dir_.File("Odd/a.flac", 1'000);
    dir_.Link("Odd/broken", "nowhere");
    dir_.Link("Odd/loop", "loop");
    for (int i = 0; i <= 45; ++i) {
        const std::string folder = "Chain/f" + std::to_string(i);
        dir_.File(folder + "/a.flac", 10);
        if (i < 45) {
            dir_.Link(folder + "/next", "../f" + std::to_string(i + 1));
        }
    }
    dir_.Link("Bad/long", std::string(1'024, 'x'));
    dir_.Link("Bad2/name", "a/" + std::string(256, 'y'));
    for (const char* item : {"Odd", "Chain/f0", "Bad", "Bad2"}) {
        Add(item);
    }
    const TDiscJobResult r = RunDiscJob(request_);
    EXPECT_TRUE(r.Problems.Empty());
    ASSERT_EQ(r.Refused.size(), 2u);
    EXPECT_EQ(r.Refused[0].Reason.Text,
              Quoted(dir_ / "Bad/long") +
                  " is a link whose target is longer than the 1,023 bytes a disc image holds");
    EXPECT_EQ(r.Refused[1].Reason.Text, Quoted(dir_ / "Bad2/name") +
                                            " is a link whose target has a name longer than the "
                                            "255 bytes a disc image holds");
    EXPECT_EQ(ReasonCodes(r),
              (std::vector<std::string_view>{"link_target_too_long", "link_target_name_too_long"}));
    ASSERT_EQ(r.Discs.size(), 1u);
    EXPECT_EQ(r.Discs[0].Items.size(), 2u);
    EXPECT_EQ(r.Discs[0].ImageSectors, XorrisoSectors(r.Discs[0]));
}

// The search sizes images from the trees the one walk read and touches no disk: a file
// removed after the walk still counts, and the disc it leaves is smaller, so still fits.
TEST_F(DiscJob, AFileGoneAfterTheWalkLeavesTheDiscsFiguresAsWalked) {
    request_.Items.resize(1); // Album A: 5,590,000 bytes
    const TDiscJobResult r = RunDiscJob(request_, [&](const TDiscJobProgress& p) {
        if (p.MeasuredItems == 1 && p.DiscsPlanned == 0) {
            std::filesystem::remove(dir_ / "Album A/cover.jpg");
        }
    });
    ASSERT_EQ(r.Discs.size(), 1u);
    EXPECT_EQ(r.Discs[0].Items[0].Bytes, 5'590'000);
    EXPECT_GT(r.Discs[0].ImageSectors, XorrisoSectors(r.Discs[0]));
}

TEST_F(DiscJob, NothingFitsWhenEveryItemIsTooLarge) {
    request_.CapacitySectors = 300; // the smallest item takes 342 sectors of data
    for (const TDiscJobKind kind : {TDiscJobKind::FullestDisc, TDiscJobKind::Plan}) {
        request_.Kind = kind;
        const TDiscJobResult r = RunDiscJob(request_);
        EXPECT_EQ(r.Status, TDiscJobStatus::NothingFits);
        EXPECT_TRUE(r.Discs.empty());
        EXPECT_EQ(r.TooLarge.size(), 6u);
    }
}

TEST(CheckFit, AStoppedCheckGivesNoFigure) {
    TempDir dir;
    dir.Folder("wide");
    for (int i = 0; i < 2'000; ++i) {
        ::close(::open((dir / "wide/f" + std::to_string(i)).c_str(), O_CREAT | O_WRONLY, 0644));
    }
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(CheckFit({dir / "wide"}, 100, {}, stop.get_token()).ImageSectors, 0);
}

TEST_F(DiscJob, CancelledJobsLeaveNothingBehind) {
    for (const std::size_t after : {std::size_t(2), std::size_t(6)}) {
        request_.Kind = after == 6 ? TDiscJobKind::Plan : TDiscJobKind::FullestDisc;
        request_.CapacitySectors = 2'000;
        std::stop_source stop;
        const TDiscJobResult r = RunDiscJob(
            request_,
            [&](const TDiscJobProgress& p) {
                if (p.MeasuredItems == after && (after < 6 || p.DiscsPlanned >= 1)) {
                    stop.request_stop();
                }
            },
            stop.get_token());
        EXPECT_EQ(r.Status, TDiscJobStatus::Cancelled) << after;
        EXPECT_TRUE(r.Discs.empty() && r.TooLarge.empty() && r.Refused.empty()) << after;
    }
}

} // namespace
} // namespace platterwise
