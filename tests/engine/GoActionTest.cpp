// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/GoAction.h"

#include "tests/support/EngineFakes.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using A = TDisplayAction;
using testing::FakeMeter;
using testing::FakeSource;

constexpr std::int64_t Mb = 1'000'000;

struct GoFixture : ::testing::Test {
    FakeSource source;
    FakeMeter meter;
    TTargetFields fields;
    TReportRecorder sink;
    TRandom rng{5};

    TGoResult Go() { return RunGoAction(source, fields, rng, sink, meter); }
};

TEST_F(GoFixture, NothingSelectedShowsOnlyTheInformationBox) {
    source.Rows = {{"/m/a", true, false}};
    const TGoResult r = Go();
    EXPECT_TRUE(r.NothingSelected);
    EXPECT_EQ(sink.Actions, (TReport{A::InformationBox("Nothing selected!")}));
    EXPECT_EQ(meter.FolderQueries + meter.FileQueries, 0);
}

TEST_F(GoFixture, FoundCombinationIsListedFoldersFirstAfterTheStartMessage) {
    source.Rows = {
        {"/m/b.flac", false, true}, {"/m/unselected", true, false}, {"/m/2010", true, true}};
    meter.Sizes = {{"/m/b.flac", 2000 * Mb}, {"/m/2010", 2690 * Mb}};
    const TGoResult r = Go();
    EXPECT_EQ(r.Search.Outcome, soFound);
    EXPECT_EQ(r.TargetMb, 4700);
    EXPECT_EQ(sink.Actions,
              (TReport{A::MessageColor(0), A::MessageText("mp3 sux, lossless audio rulez!"),
                       A::ClearMemo(), A::MessageText("Prepared 4,690,000,000 байт"),
                       A::MemoTaggedLine("\x03"
                                         "00\x1A"
                                         "2010"),
                       A::MemoTaggedLine("\x03"
                                         "11\x1A"
                                         "b.flac")}));
}

TEST_F(GoFixture, BadCustomSizeIsReportedAfterTheMemoWasCleared) {
    source.Rows = {{"/m/a", true, true}};
    fields.TargetMode = kCustomSizeMode;
    fields.CustomSizeText = "4,7";
    const TGoResult r = Go();
    EXPECT_EQ(r.Search.Outcome, soBadInput);
    EXPECT_EQ(sink.Actions,
              (TReport{A::MessageColor(0), A::MessageText("mp3 sux, lossless audio rulez!"),
                       A::ClearMemo(), A::PlainBox("You have typed wrong characters")}));
}

TEST_F(GoFixture, BadSamplesAfterATooSmallReportKeepsThatReport) {
    source.Rows = {{"/m/a", false, true}};
    meter.Sizes = {{"/m/a", 10 * Mb}};
    fields.SamplesText = "";
    Go();
    ASSERT_EQ(sink.Actions.size(), 8u);
    EXPECT_EQ(sink.Actions[3].Kind, TActionKind::ShowInformationBox);
    EXPECT_EQ(sink.Actions[5], A::MemoLine("Still nothing to burn!"));
    EXPECT_EQ(sink.Actions[7], A::PlainBox("You have typed wrong characters"));
}

TEST_F(GoFixture, CustomSizeTargetsTheTypedMegabytes) {
    source.Rows = {{"/m/a", false, true}};
    meter.Sizes = {{"/m/a", 700 * Mb}};
    fields.TargetMode = kCustomSizeMode;
    fields.CustomSizeText = "$2BC"; // 700
    fields.DeviationText = "0";
    EXPECT_EQ(Go().Search.Outcome, soFound);
}

TEST_F(GoFixture, EverySearchIsReseeded) {
    // A fixed-seed generator restarts its sequence on every press, so two presses agree.
    source.Rows = {
        {"/1", false, true}, {"/2", false, true}, {"/3", false, true}, {"/4", false, true}};
    meter.Sizes = {{"/1", 2400 * Mb}, {"/2", 2300 * Mb}, {"/3", 2350 * Mb}, {"/4", 2340 * Mb}};
    fields.DeviationText = "50";
    const auto first = Go().Search.Chosen;
    rng.Random(1000); // disturb the generator between presses
    const auto second = Go().Search.Chosen;
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first.empty());
}

TEST_F(GoFixture, ZeroTargetShowsOnlyTheStartMessage) {
    source.Rows = {{"/m/a", false, true}};
    fields.TargetMode = kCustomSizeMode;
    fields.CustomSizeText = "0";
    fields.DeviationText = "junk";
    const TGoResult r = Go();
    EXPECT_EQ(r.Search.Outcome, soNoResult);
    EXPECT_EQ(sink.Actions.size(), 3u);
}

} // namespace
} // namespace platterwise
