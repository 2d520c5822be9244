// SPDX-License-Identifier: GPL-3.0-or-later
// Parts, lines and the collection: setters, update brackets, notification counts, the limit.
#include "MemoTestSupport.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

TEST(FatPart, SettersChangeKindAndNotifyOnlyOnRealChange) {
    TFatPart part(nullptr);
    int notified = 0;
    part.OnChange = [&](TFatPart&) { ++notified; };
    part.SetText(QStringLiteral("a"));
    part.SetText(QStringLiteral("a"));
    part.SetLink(QStringLiteral("L"));
    part.SetLink(QStringLiteral("L"));
    EXPECT_EQ(notified, 2);
    part.SetText(QStringLiteral("b")); // the reset takes the link away
    EXPECT_FALSE(part.HasLink());

    part.SetFontColor(clRed); // both setters on one part: one part with both colours
    part.SetBackColor(clBlue);
    EXPECT_EQ(part.Kind(), pkColor);
    EXPECT_EQ(std::pair(part.FontColor(), part.BackColor()), std::pair(clRed, clBlue));
    EXPECT_EQ(part.TextLength(), 0);
    part.SetFontStyle(fsBold);
    EXPECT_EQ(std::pair(part.Kind(), part.FontColor()), std::pair(pkStyle, clNone));

    notified = 0;
    part.SetUpdating(true);
    part.SetUpdating(true);
    part.SetText(QStringLiteral("x"));
    part.SetUpdating(false);
    EXPECT_EQ(notified, 0);
    part.SetUpdating(false); // back at 0: one notification
    part.SetUpdating(false); // already at 0: nothing
    EXPECT_EQ(notified, 1);
}

TEST(FatLine, PartsNotifyThroughTheLineUnlessItIsBracketed) {
    TFatLine line(nullptr);
    int notified = 0;
    line.OnChange = [&](TFatLine&) { ++notified; };
    TFatPart& a = line.AddPart();
    TFatPart& b = line.AddPart();
    b.SetText(QStringLiteral("b"));
    EXPECT_EQ(notified, 3);
    a.Delete();
    EXPECT_EQ(std::pair(line.PartCount(), b.Index()), std::pair(1, 0));
    EXPECT_THROW(line.Parts(1), EListError);
    try {
        line.DeletePart(7);
        ADD_FAILURE() << "no index error";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (7)"));
    }
    notified = 0;
    line.SetUpdating(true);
    line.SetPlainText(QString()); // an empty plain text is still one text part
    EXPECT_EQ(notified, 0);
    line.SetUpdating(false);
    EXPECT_EQ(notified, 1);
    ASSERT_EQ(line.PartCount(), 1);
    EXPECT_EQ(line.Parts(0).Kind(), pkText);
}

// One notification of the collection is one repaint plus OnChange of the memo.
TEST(FatLines, NotificationCountsOfTheMainWindowsOperations) {
    auto memo = testing::MakeMemo();
    int changes = 0;
    memo->OnChange = [&](TFatMemo&) { ++changes; };
    TFatLines& lines = memo->Lines();
    EXPECT_EQ(lines.AddLine(QStringLiteral("plain")), 0);
    EXPECT_EQ(changes, 3); // added, part added, text set
    changes = 0;
    lines.Add().SetTaggedText(testing::Tagged("^04red*bold"));
    lines.Add().SetTaggedText(QString()); // the empty text still closes the bracket
    EXPECT_EQ(changes, 4);
    changes = 0;
    lines.Clear();
    EXPECT_EQ(changes, 3); // one per line
    EXPECT_THROW(lines.Items(0), EListError);
}

TEST(FatLines, ContentChangeBeyondTheLimitDropsTheOldestLine) {
    TFatLines lines(nullptr);
    for (int i = 0; i < TFatLines::MaxLines; ++i)
        lines.AddLine(QString::number(i));
    TFatLine& newest = lines.Add(); // structural: no limit check yet
    EXPECT_EQ(lines.Count(), 10000);
    newest.SetTaggedText(testing::Tagged("^11last"));
    EXPECT_EQ(lines.Count(), 9999);
    EXPECT_EQ(lines.Items(0).Parts(0).Text(), QStringLiteral("1"));
    EXPECT_EQ(lines.Items(9998).Parts(1).Text(), QStringLiteral("last"));
}

// The line being changed is never the one dropped (it would be destroyed under its own call).
TEST(FatLines, ChangeOfTheOldestLineBeyondTheLimitDropsTheNextOldest) {
    TFatLines lines(nullptr);
    for (int i = 0; i < 10000; ++i)
        lines.Add();
    TFatLine& first = lines.Items(0);
    first.SetPlainText(QStringLiteral("kept"));
    EXPECT_EQ(lines.Count(), 9999);
    EXPECT_EQ(&lines.Items(0), &first);
    EXPECT_EQ(first.Parts(0).Text(), QStringLiteral("kept"));
}

TEST(FatLines, WidestLineFollowsWidthsAndDeletions) {
    TFatLines lines(nullptr);
    for (int w : {30, 90, 60})
        lines.Add().SetTotalWidth(w);
    EXPECT_EQ(lines.WidestLine(), 90);
    lines.Delete(1);
    EXPECT_EQ(lines.WidestLine(), 60);
    lines.Items(1).ClearParts(); // nothing laid out any more
    EXPECT_EQ(lines.WidestLine(), 30);
}

} // namespace
} // namespace platterwise
