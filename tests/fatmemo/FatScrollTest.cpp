// SPDX-License-Identifier: GPL-3.0-or-later
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
        memo_->SetLineHeight(16);
        testing::ShowExposed(*memo_);
    }
    void AddLines(int n) {
        for (int i = 0; i < n; ++i)
            memo_->Lines().AddLine(QStringLiteral("line ") + QString::number(i));
    }
    QScrollBar& Bar() const {
        return *memo_->findChild<QScrollBar*>(QStringLiteral("ScrollBarVert"));
    }
    int ContentHeight() const { return memo_->height() - 2 * 2 - 2 * 4; }

    std::unique_ptr<TFatMemo> memo_ = MakeMemo(300, 200);
};

TEST_F(FatScroll, AtTheMaximumTheLastLineIsWholeAndAddingDoesNotScroll) {
    AddLines(50);
    EXPECT_EQ(Bar().maximum(), 50 - ContentHeight() / 16);
    Bar().setValue(Bar().maximum());
    EXPECT_LE(memo_->Lines().Items(49).Layout().Flow.Bottom, memo_->height() - 6);
    Bar().setValue(0);
    EXPECT_EQ(std::pair(Bar().singleStep(), Bar().pageStep()), std::pair(1, 1));
    EXPECT_EQ(std::pair(memo_->TopIndex(), memo_->FirstLaidLine()), std::pair(0, 0));
    memo_->Lines().Clear();
    AddLines(3);
    EXPECT_EQ(Bar().maximum(), 0);
}

TEST_F(FatScroll, MovingTheBarSetsTopIndexAndReportsIt) {
    AddLines(50);
    int scrolled = 0;
    memo_->OnScrollVert = [&](TFatMemo&) { ++scrolled; };
    Bar().setValue(5);
    EXPECT_EQ(std::pair(memo_->TopIndex(), scrolled), std::pair(5, 1));
    EXPECT_EQ(memo_->Lines().Items(5).Layout().Y, 6);
}

TEST_F(FatScroll, TopIndexTakesOnlyIndicesOfExistingLines) {
    AddLines(10);
    for (int ignored : {-1, 10})
        memo_->SetTopIndex(ignored);
    EXPECT_EQ(memo_->TopIndex(), 0);
    memo_->SetTopIndex(9);
    EXPECT_EQ(memo_->Lines().Items(9).Layout().Y, 6);
}

TEST_F(FatScroll, DeletionsLowerTopIndexAndClearingStartsAgainAtLineZero) {
    AddLines(50);
    memo_->SetTopIndex(45);
    while (memo_->Lines().Count() > 30)
        memo_->Lines().Delete(memo_->Lines().Count() - 1);
    EXPECT_LE(memo_->TopIndex(), 29);
    Bar().setValue(20);
    memo_->Lines().Clear();
    EXPECT_EQ(std::pair(memo_->TopIndex(), Bar().maximum()), std::pair(0, 0));
    AddLines(3);
    EXPECT_EQ(memo_->FirstLaidLine(), 0);
    EXPECT_EQ(memo_->Lines().Items(0).Layout().Y, 6);
}

TEST_F(FatScroll, BottomAnchoringKeepsTheLastLineInViewAndTheBarAtItsEnd) {
    AddLines(50);
    memo_->SetStickText(stBottom);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    Bar().setValue(3);
    EXPECT_EQ(Bar().value(), Bar().maximum());
    EXPECT_EQ(memo_->Lines().Items(49).Layout().Flow.Bottom, memo_->height() - 6);
    AddLines(1);
    EXPECT_EQ(memo_->LastLaidLine(), 50);
    EXPECT_EQ(Bar().value(), Bar().maximum());
}

TEST_F(FatScroll, HiddenVerticalBarGivesItsRoomAndTheHorizontalBarStaysHidden) {
    AddLines(1);
    memo_->SetScrollBarVert(false);
    EXPECT_EQ(memo_->Lines().Items(0).Layout().Clip.Right, memo_->width() - 2 - 3);
    memo_->SetScrollBarHoriz(true);
    EXPECT_FALSE(memo_->ScrollBarHoriz());
    EXPECT_TRUE(memo_->findChild<QScrollBar*>(QStringLiteral("ScrollBarHoriz"))->isHidden());
}

} // namespace
} // namespace platterwise
