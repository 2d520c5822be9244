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

TEST_F(FatScroll, MaximumIsTheLastLineLessTheWholeRowsThatFitAndAddingDoesNotScroll) {
    AddLines(50);
    EXPECT_EQ(Bar().maximum(), 49 - ContentHeight() / 16);
    EXPECT_EQ(std::pair(Bar().singleStep(), Bar().pageStep()), std::pair(1, 1));
    EXPECT_EQ(std::pair(memo->TopIndex(), memo->FirstLaidLine()), std::pair(0, 0));
    memo->Lines().Clear();
    AddLines(3);
    EXPECT_EQ(Bar().maximum(), 0);
}

TEST_F(FatScroll, MovingTheBarSetsTopIndexAndReportsIt) {
    AddLines(50);
    int scrolled = 0;
    memo->OnScrollVert = [&](TFatMemo&) { ++scrolled; };
    Bar().setValue(5);
    EXPECT_EQ(std::pair(memo->TopIndex(), scrolled), std::pair(5, 1));
    EXPECT_EQ(memo->Lines().Items(5).Layout().Y, 6);
}

TEST_F(FatScroll, TopIndexTakesOnlyIndicesOfExistingLines) {
    AddLines(10);
    for (int ignored : {-1, 10})
        memo->SetTopIndex(ignored);
    EXPECT_EQ(memo->TopIndex(), 0);
    memo->SetTopIndex(9);
    EXPECT_EQ(memo->Lines().Items(9).Layout().Y, 6);
}

TEST_F(FatScroll, DeletionsLowerTopIndexAndClearingStartsAgainAtLineZero) {
    AddLines(50);
    memo->SetTopIndex(45);
    while (memo->Lines().Count() > 30)
        memo->Lines().Delete(memo->Lines().Count() - 1);
    EXPECT_LE(memo->TopIndex(), 29);
    Bar().setValue(20);
    memo->Lines().Clear();
    EXPECT_EQ(std::pair(memo->TopIndex(), Bar().maximum()), std::pair(0, 0));
    AddLines(3);
    EXPECT_EQ(memo->FirstLaidLine(), 0);
    EXPECT_EQ(memo->Lines().Items(0).Layout().Y, 6);
}

TEST_F(FatScroll, BottomAnchoringKeepsTheLastLineInViewAndTheBarAtItsEnd) {
    AddLines(50);
    memo->SetStickText(stBottom);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    Bar().setValue(3);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    EXPECT_EQ(memo->Lines().Items(49).Layout().Flow.Bottom, memo->height() - 6);
    AddLines(1);
    EXPECT_EQ(memo->LastLaidLine(), 50);
    EXPECT_EQ(Bar().value(), Bar().maximum());
}

TEST_F(FatScroll, HiddenVerticalBarGivesItsRoomAndTheHorizontalBarStaysHidden) {
    AddLines(1);
    memo->SetScrollBarVert(false);
    EXPECT_EQ(memo->Lines().Items(0).Layout().Clip.Right, memo->width() - 2 - 3);
    memo->SetScrollBarHoriz(true);
    EXPECT_FALSE(memo->ScrollBarHoriz());
    EXPECT_TRUE(memo->findChild<QScrollBar*>(QStringLiteral("ScrollBarHoriz"))->isHidden());
}

} // namespace
} // namespace platterwise
