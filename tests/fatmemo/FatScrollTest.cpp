// Scrolling by whole lines: the bar's range, TopIndex, bottom anchoring, deletions.
#include "MemoTestSupport.h"

#include <QScrollBar>
#include <gmock/gmock.h>

namespace platterwise {
namespace {

using testing::MakeMemo;

class FatScroll : public ::testing::Test {
protected:
    FatScroll() {
        memo->SetLineHeight(16);
        testing::ShowExposed(*memo);
    }
    void AddLines(int n) {
        for (int i = 0; i < n; ++i)
            memo->Lines().AddLine(QStringLiteral("line ") + QString::number(i));
    }
    QScrollBar& Bar() const {
        return *memo->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"));
    }
    int ContentHeight() const { return memo->height() - 2 * 2 - 2 * 4; }

    std::unique_ptr<TFatMemo> memo = MakeMemo(300, 200);
};

TEST_F(FatScroll, MaximumIsTheLastLineLessTheWholeRowsThatFit) {
    AddLines(50);
    EXPECT_EQ(Bar().maximum(), 49 - ContentHeight() / 16);
    EXPECT_EQ(Bar().singleStep(), 1);
    EXPECT_EQ(Bar().pageStep(), 1);
    memo->Lines().Clear();
    AddLines(3);
    EXPECT_EQ(Bar().maximum(), 0);
}

TEST_F(FatScroll, MovingTheBarSetsTopIndexAndReportsIt) {
    AddLines(50);
    int scrolled = 0;
    memo->OnScrollVert = [&](TFatMemo&) { ++scrolled; };
    Bar().setValue(5);
    EXPECT_EQ(memo->TopIndex(), 5);
    EXPECT_EQ(scrolled, 1);
    EXPECT_EQ(memo->Lines().Items(5).Layout().Y, 6);
    EXPECT_EQ(memo->FirstLaidLine(), 5);
}

TEST_F(FatScroll, TopIndexTakesOnlyIndicesOfExistingLines) {
    AddLines(10);
    memo->SetTopIndex(-1);
    EXPECT_EQ(memo->TopIndex(), 0);
    memo->SetTopIndex(10);
    EXPECT_EQ(memo->TopIndex(), 0);
    memo->SetTopIndex(9);
    EXPECT_EQ(memo->TopIndex(), 9);
    EXPECT_EQ(memo->Lines().Items(9).Layout().Y, 6);
}

TEST_F(FatScroll, AddingLinesDoesNotScrollAtTheTop) {
    AddLines(100);
    EXPECT_EQ(memo->TopIndex(), 0);
    EXPECT_EQ(Bar().value(), 0);
    EXPECT_EQ(memo->FirstLaidLine(), 0);
}

TEST_F(FatScroll, DeletionsLowerTopIndexAndClearingStartsAgainAtLineZero) {
    AddLines(50);
    memo->SetTopIndex(45);
    while (memo->Lines().Count() > 30)
        memo->Lines().Delete(memo->Lines().Count() - 1);
    EXPECT_LE(memo->TopIndex(), 29);

    Bar().setValue(20);
    memo->Lines().Clear();
    EXPECT_EQ(memo->TopIndex(), 0);
    EXPECT_EQ(Bar().maximum(), 0);
    AddLines(3);
    EXPECT_EQ(memo->FirstLaidLine(), 0);
    EXPECT_EQ(memo->Lines().Items(0).Layout().Y, 6);
}

TEST_F(FatScroll, BottomAnchoringKeepsTheLastLineInViewAndTheBarAtItsEnd) {
    AddLines(50);
    memo->SetStickText(stBottom);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    EXPECT_EQ(memo->Lines().Items(49).Layout().Flow.Bottom, memo->height() - 6);

    Bar().setValue(3);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    EXPECT_EQ(memo->LastLaidLine(), 49);
    EXPECT_EQ(memo->Lines().Items(49).Layout().Flow.Bottom, memo->height() - 6);

    AddLines(1);
    EXPECT_EQ(memo->LastLaidLine(), 50);
    EXPECT_EQ(Bar().value(), Bar().maximum());
}

TEST_F(FatScroll, HiddenVerticalBarGivesItsRoomToTheContent) {
    AddLines(1);
    const int withBar = memo->Lines().Items(0).Layout().Clip.Right;
    memo->SetScrollBarVert(false);
    EXPECT_FALSE(memo->ScrollBarVert());
    EXPECT_EQ(memo->Lines().Items(0).Layout().Clip.Right, memo->width() - 2 - 3);
    EXPECT_LT(withBar, memo->width() - 2 - 3);
    memo->SetScrollBarHoriz(true);
    EXPECT_FALSE(memo->ScrollBarHoriz());
    EXPECT_TRUE(memo->findChild<QScrollBar*>(QStringLiteral("ScrollBarHoriz"))->isHidden());
}

TEST_F(FatScroll, HorizontalRangeFollowsTheWidestLine) {
    auto& horz = *memo->findChild<QScrollBar*>(QStringLiteral("ScrollBarHoriz"));
    AddLines(1);
    const int content = memo->Lines().Items(0).Layout().Clip.Right - 5;
    EXPECT_EQ(horz.maximum(), content);
    memo->Lines().AddLine(QString(200, u'W'));
    EXPECT_EQ(horz.maximum(), memo->Lines().Items(1).TotalWidth());
    EXPECT_GT(horz.maximum(), content);
    memo->Lines().AddLine(QString(100, u'W'));
    EXPECT_EQ(horz.maximum(), memo->Lines().Items(1).TotalWidth());
    memo->Lines().Delete(1); // the widest goes: the next widest counts
    EXPECT_EQ(horz.maximum(), memo->Lines().Items(1).TotalWidth());
    memo->Lines().Items(1).SetPlainText(QStringLiteral("narrow"));
    EXPECT_EQ(horz.maximum(), content);
}

} // namespace
} // namespace platterwise
