// SPDX-License-Identifier: GPL-3.0-or-later
// What the panel and the message line say of a result: discs, refusals with their reasons,
// and the medium named.
#include "app/DiscResultView.h"

#include <gtest/gtest.h>

namespace platterwise {
namespace {

TDiscJobItem Item(const char* path, const char* name, TItemKind kind = ikFolder) {
    TDiscJobItem item;
    item.Path = path;
    item.ImageName = name;
    item.Kind = kind;
    return item;
}

TEST(DiscResultView, RefusalsShowTheirReasonsAndOnlyDiscItemsCarryADisc) {
    TDiscJobResult result;
    result.Status = TDiscJobStatus::Done;
    result.Discs.resize(2);
    result.Discs[0].Items = {Item("/m/A", "A")};
    result.Discs[1].Items = {Item("/m/B", "B")};
    result.LowerBound = 2;
    result.TooLarge = {Item("/m/huge.flac", "huge.flac", ikFile)};
    result.Refused = {
        {Item("/m/x", "x"), {TDiscCode::Unreadable, "\"/m/x\" cannot be read: Permission denied"}}};
    const TResultView view = DiscJobView(result, TDiscJobKind::Plan, "DVD+R");
    ASSERT_EQ(view.Lines.size(), 8u);
    EXPECT_TRUE(view.Lines[7].Tagged.ends_with("\"/m/x\" cannot be read: Permission denied"));
    std::vector<int> discs;
    for (const TResultLine& line : view.Lines) {
        discs.push_back(line.Disc);
    }
    EXPECT_EQ(discs, (std::vector<int>{-1, 0, -1, 1, -1, -1, -1, -1}));
    EXPECT_EQ(view.Summary, "2 DVD+R discs, lower bound 2, the fewest possible");
    result.LowerBound = 1; // not proven minimal: no claim of the fewest
    EXPECT_EQ(DiscJobView(result, TDiscJobKind::Plan, "4,200 Mb").Summary,
              "2 discs of 4,200 Mb, at least 1");
    EXPECT_TRUE(
        DiscJobView(result, TDiscJobKind::Plan, "DVD+R", true).Lines[1].Tagged.ends_with("/m/A"));
}

TEST(DiscResultView, TheFitOfSeveralDiscsIsSummedUpAndToldDiscByDisc) {
    const TFitCheck fits{100, 150}, over{200, 150};
    EXPECT_EQ(FitChecksView({fits}, "CD-R").Summary, "Fits on CD-R: 50 sectors spare");
    EXPECT_EQ(FitChecksView({fits, fits}, "CD-R").Summary, "All 2 discs fit on CD-R");
    const TFitView view = FitChecksView({fits, over, over}, "CD-R");
    EXPECT_EQ(view.Summary, "2 of 3 discs do not fit on CD-R");
    EXPECT_EQ(view.Discs,
              (std::vector<std::string>{"Disc 1 fits on CD-R: 50 sectors spare",
                                        "Disc 2 does not fit on CD-R: 50 sectors over",
                                        "Disc 3 does not fit on CD-R: 50 sectors over"}));
}

} // namespace
} // namespace platterwise
