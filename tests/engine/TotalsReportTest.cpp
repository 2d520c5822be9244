// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TotalsReport.h"

#include "tests/support/EngineFakes.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

using A = TDisplayAction;
using testing::FakeMeter;
using testing::FakeSource;

struct TotalsFixture : ::testing::Test {
    FakeSource source;
    FakeMeter meter;
    TTargetFields fields;
    TReportRecorder sink;

    TTotalsResult Report(TTotalsVariant v) {
        return BuildTotalsReport(v, source, fields, sink, meter);
    }

    void SelectOne(std::int64_t bytes, bool folder = false) {
        source.Rows = {{"/m/x", folder, true}};
        meter.Sizes = {{"/m/x", bytes}};
    }
};

TEST_F(TotalsFixture, ButtonReportOfOneFolderInRussianAndRed) {
    testing::TempDir dir;
    for (const char* f : {"a", "b", "c"})
        dir.File(std::string("album/") + f + ".flac", 1'000'000);
    source.Rows = {{dir / "album", true, true}};
    const TTotalsResult r =
        BuildTotalsReport(TTotalsVariant::OnShowTotalButton, source, fields, sink);
    EXPECT_EQ(r.LastTotal, 3'000'000);
    EXPECT_EQ(sink.Actions, (TReport{A::MessageText("Oh, thats a big momma! :)"), A::ClearMemo(),
                                     A::MemoFontColor(0x000000FF), A::ClearMemo(),
                                     A::MemoLine("Выделено: папок - 1 , файлов - 0"),
                                     A::MemoLine("Общий размер: 3 Mb (3,000,000 bytes)")}));
}

TEST_F(TotalsFixture, TemplateChangeReportIsEnglishAndLeavesTheMessageLine) {
    SelectOne(999'999);
    Report(TTotalsVariant::OnTemplateChange);
    EXPECT_EQ(sink.Actions, (TReport{A::ClearMemo(), A::MemoFontColor(0x000000FF), A::ClearMemo(),
                                     A::MemoLine("Selected: folders - 0 , files - 1"),
                                     A::MemoLine("Total size: 0 Mb (999,999 bytes)")}));
}

TEST_F(TotalsFixture, ATotalEqualToTheCapacityIsGreen) {
    SelectOne(4'700'000'000LL, true);
    const TTotalsResult r = Report(TTotalsVariant::OnShowTotalButton);
    EXPECT_TRUE(r.Fills);
    EXPECT_EQ(sink.Actions[2], A::MemoFontColor(0x0000FF00));
}

TEST_F(TotalsFixture, EachVariantComparesWithItsOwnCapacity) {
    struct Case {
        int Template;
        TTotalsVariant Variant;
        std::int64_t Capacity;
    };
    for (const Case c : {Case{0, TTotalsVariant::OnTemplateChange, 4'700'000'000LL},
                         Case{1, TTotalsVariant::OnShowTotalButton, 4'707'000'000LL},
                         Case{2, TTotalsVariant::OnTemplateChange, 8'547'991'552LL},
                         Case{2, TTotalsVariant::OnShowTotalButton, 8'547'000'000LL},
                         Case{3, TTotalsVariant::OnTemplateChange, 700'000'000LL},
                         Case{3, TTotalsVariant::OnShowTotalButton, 700'000'000LL}}) {
        fields.TemplateIndex = c.Template;
        SelectOne(c.Capacity - 1);
        EXPECT_FALSE(Report(c.Variant).Fills) << c.Template;
        SelectOne(c.Capacity);
        EXPECT_TRUE(Report(c.Variant).Fills) << c.Template;
    }
}

TEST_F(TotalsFixture, DualLayerTotalBetweenTheTwoCapacitiesDependsOnTheVariant) {
    fields.TemplateIndex = 2;
    SelectOne(8'547'500'000LL);
    EXPECT_FALSE(Report(TTotalsVariant::OnTemplateChange).Fills);
    EXPECT_TRUE(Report(TTotalsVariant::OnShowTotalButton).Fills);
}

TEST_F(TotalsFixture, RunningLinesAreRewrittenAfterEveryRow) {
    source.Rows = {{"/a", true, true}, {"/b", false, false}, {"/c", false, true}};
    meter.Sizes = {{"/a", 4'000'000'000LL}, {"/c", 800'000'000LL}};
    const TTotalsResult r = Report(TTotalsVariant::OnTemplateChange);
    EXPECT_EQ(r.FolderCount, 1);
    EXPECT_EQ(r.FileCount, 1);
    EXPECT_EQ(r.LastTotal, 4'800'000'000LL);
    EXPECT_EQ(sink.Actions, (TReport{A::ClearMemo(), A::MemoFontColor(0x000000FF), A::ClearMemo(),
                                     A::MemoLine("Selected: folders - 1 , files - 0"),
                                     A::MemoLine("Total size: 4000 Mb (4,000,000,000 bytes)"),
                                     A::MemoFontColor(0x0000FF00), A::ClearMemo(),
                                     A::MemoLine("Selected: folders - 1 , files - 1"),
                                     A::MemoLine("Total size: 4800 Mb (4,800,000,000 bytes)")}));
}

TEST_F(TotalsFixture, BadCustomSizeIsReportedOnceAndReplacedByZero) {
    source.Rows = {{"/a", false, true}, {"/b", false, true}};
    meter.Sizes = {{"/a", 5}, {"/b", 5}};
    fields.TargetMode = kCustomSizeMode;
    fields.CustomSizeText = "big";
    const TTotalsResult r = Report(TTotalsVariant::OnShowTotalButton);
    EXPECT_TRUE(r.Fills);
    EXPECT_EQ(r.Capacity, 0);
    int boxes = 0;
    for (const auto& a : sink.Actions)
        boxes += a.Kind == TActionKind::ShowPlainBox;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(sink.Actions[2],
              A::PlainBox("Неверное значение в поле ручного ввода желаемого размера!"));
    EXPECT_EQ(sink.Actions[3], A::CustomSizeText("0"));

    sink.Actions.clear();
    Report(TTotalsVariant::OnTemplateChange);
    EXPECT_EQ(sink.Actions[1], A::PlainBox("Wrong input in the custom size field"));
}

TEST_F(TotalsFixture, CustomSizeIsMegabytes) {
    fields.TargetMode = kCustomSizeMode;
    fields.CustomSizeText = "100";
    SelectOne(100'000'000);
    EXPECT_EQ(Report(TTotalsVariant::OnTemplateChange).Capacity, 100'000'000);
    EXPECT_TRUE(Report(TTotalsVariant::OnTemplateChange).Fills);
}

TEST_F(TotalsFixture, NothingSelectedClearsTheMemoAndZeroesTheTotal) {
    source.Rows = {{"/a", false, false}};
    const TTotalsResult r = Report(TTotalsVariant::OnShowTotalButton);
    EXPECT_EQ(r.LastTotal, 0);
    EXPECT_EQ(sink.Actions, (TReport{A::MessageText("Oh, thats a big momma! :)"), A::ClearMemo()}));
}

TEST_F(TotalsFixture, NoTemplateKeepsTheCapacityAtZero) {
    fields.TemplateIndex = -1;
    SelectOne(1);
    const TTotalsResult r = Report(TTotalsVariant::OnTemplateChange);
    EXPECT_EQ(r.Capacity, 0);
    EXPECT_TRUE(r.Fills);
}

} // namespace
} // namespace platterwise
