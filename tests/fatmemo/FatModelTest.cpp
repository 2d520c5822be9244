// Parts, lines and the collection: setters, update brackets, notification counts, the limit.
#include "MemoTestSupport.h"

#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::MakeMemo;

TEST(FatPart, SettersChangeKindAndNotifyOnlyOnRealChange) {
    TFatPart part(nullptr);
    int notified = 0;
    part.OnChange = [&](TFatPart&) { ++notified; };

    part.SetText(QStringLiteral("a"));
    part.SetText(QStringLiteral("a"));
    EXPECT_EQ(notified, 1);
    part.SetLink(QStringLiteral("L"));
    part.SetLink(QStringLiteral("L"));
    EXPECT_EQ(notified, 2);
    EXPECT_TRUE(part.HasLink());
    EXPECT_EQ(part.TextLength(), 1);

    part.SetText(QStringLiteral("b")); // the reset takes the link away
    EXPECT_FALSE(part.HasLink());

    part.SetFontColor(clRed);
    part.SetBackColor(clBlue);
    EXPECT_EQ(part.Kind(), pkColor);
    EXPECT_EQ(part.FontColor(), clRed);
    EXPECT_EQ(part.BackColor(), clBlue);
    EXPECT_TRUE(part.Text().isEmpty());
    EXPECT_EQ(part.TextLength(), 0);
    const int before = notified;
    part.SetFontColor(clRed);
    part.SetBackColor(clBlue);
    EXPECT_EQ(notified, before);

    part.SetFontStyle(fsBold);
    EXPECT_EQ(part.Kind(), pkStyle);
    EXPECT_EQ(part.FontColor(), clNone);
    EXPECT_EQ(part.BackColor(), clNone);

    const QImage picture(4, 4, QImage::Format_RGB32);
    part.SetGraphic(&picture);
    EXPECT_EQ(part.Kind(), pkImage);
    EXPECT_EQ(part.Graphic(), &picture);
    EXPECT_EQ(part.FontStyle(), 0);
}

TEST(FatPart, UpdateBracketHoldsNotificationsUntilBackAtZero) {
    TFatPart part(nullptr);
    int notified = 0;
    part.OnChange = [&](TFatPart&) { ++notified; };
    part.SetUpdating(true);
    part.SetUpdating(true);
    part.SetText(QStringLiteral("x"));
    part.SetUpdating(false);
    EXPECT_EQ(notified, 0);
    part.SetUpdating(false);
    EXPECT_EQ(notified, 1);
    part.SetUpdating(false); // already at 0: nothing changes, nothing is sent
    EXPECT_EQ(notified, 1);
}

TEST(FatLine, PartOperationsAndIndexErrors) {
    TFatLine line(nullptr);
    int notified = 0;
    line.OnChange = [&](TFatLine&) { ++notified; };
    TFatPart& a = line.AddPart();
    TFatPart& b = line.AddPart();
    EXPECT_EQ(notified, 2);
    b.SetText(QStringLiteral("b"));
    EXPECT_EQ(notified, 3); // a part change reaches the line
    EXPECT_EQ(a.Index(), 0);
    EXPECT_EQ(b.Index(), 1);
    a.Delete();
    EXPECT_EQ(notified, 4);
    EXPECT_EQ(line.PartCount(), 1);
    EXPECT_EQ(b.Index(), 0);
    EXPECT_THROW(line.Parts(1), EListError);
    EXPECT_THROW(line.DeletePart(-1), EListError);
    try {
        line.Parts(7);
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (7)"));
    }
    line.SetTotalWidth(40);
    line.ClearParts();
    EXPECT_EQ(line.PartCount(), 0);
    EXPECT_EQ(line.TotalWidth(), 0);
}

TEST(FatLine, BracketedLineIgnoresItsPartsUntilLowered) {
    TFatLine line(nullptr);
    int notified = 0;
    line.OnChange = [&](TFatLine&) { ++notified; };
    line.SetUpdating(true);
    line.AddPart().SetText(QStringLiteral("x"));
    line.AddPart().SetFontStyle(fsBold);
    EXPECT_EQ(notified, 0);
    line.SetUpdating(false);
    EXPECT_EQ(notified, 1);
}

TEST(FatLine, PlainTextIsOneTextPartEvenWhenEmpty) {
    TFatLine line(nullptr);
    line.AddPart().SetFontColor(clRed);
    line.SetPlainText(QString());
    ASSERT_EQ(line.PartCount(), 1);
    EXPECT_EQ(line.Parts(0).Kind(), pkText);
    EXPECT_TRUE(line.Parts(0).Text().isEmpty());
}

// One notification of the collection is one repaint plus OnChange of the memo.
TEST(FatLines, NotificationCountsOfTheMainWindowsOperations) {
    auto memo = MakeMemo();
    int changes = 0;
    memo->OnChange = [&](TFatMemo&) { ++changes; };
    TFatLines& lines = memo->Lines();

    EXPECT_EQ(lines.AddLine(QStringLiteral("plain")), 0);
    EXPECT_EQ(changes, 3); // added, part added, text set

    changes = 0;
    lines.Add().SetTaggedText(QStringLiteral("\x03"
                                             "04red\x02"
                                             "bold"));
    EXPECT_EQ(changes, 2); // added, one for the whole parse

    changes = 0;
    lines.Add().SetTaggedText(QString());
    EXPECT_EQ(changes, 2); // the empty text still closes the bracket
    EXPECT_EQ(lines.Items(2).PartCount(), 0);

    changes = 0;
    lines.Clear();
    EXPECT_EQ(changes, 3); // one per line
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_THROW(lines.Items(0), EListError);
    EXPECT_THROW(lines.Delete(0), EListError);
}

TEST(FatLines, DeleteDestroysTheLineAndShiftsTheRest) {
    TFatLines lines(nullptr);
    for (const char* s : {"a", "b", "c"})
        lines.AddLine(QString::fromLatin1(s));
    lines.Delete(1);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Items(1).Parts(0).Text(), QStringLiteral("c"));
    EXPECT_EQ(lines.Items(1).Index(), 1);
}

TEST(FatLines, ContentChangeBeyondTheLimitDropsTheOldestLine) {
    TFatLines lines(nullptr);
    for (int i = 0; i < TFatLines::MaxLines; ++i)
        lines.AddLine(QString::number(i));
    ASSERT_EQ(lines.Count(), 9999);

    TFatLine& newest = lines.Add(); // structural: no limit check yet
    EXPECT_EQ(lines.Count(), 10000);
    newest.SetTaggedText(QStringLiteral("\x03"
                                        "11last"));
    EXPECT_EQ(lines.Count(), 9999);
    EXPECT_EQ(lines.Items(0).Parts(0).Text(), QStringLiteral("1"));
    EXPECT_EQ(lines.Items(9998).Parts(1).Text(), QStringLiteral("last"));

    lines.AddLine(QStringLiteral("again"));
    EXPECT_EQ(lines.Count(), 9999);
    EXPECT_EQ(lines.Items(0).Parts(0).Text(), QStringLiteral("2"));
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

} // namespace
} // namespace platterwise
