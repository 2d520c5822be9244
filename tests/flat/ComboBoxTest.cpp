// SPDX-License-Identifier: GPL-3.0-or-later
// The flat drop-down list: frame, drop-down button, divider and arrow in the skin's colours
// for each state, the chosen item's text colour, and OnChange.
#include "FlatTestSupport.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALSkins.h"

#include <QLineEdit>
#include <QStyle>

namespace platterwise {
namespace {

using namespace platterwise::testing;

constexpr TColor kDesign = 0xE1E9EA;

class ComboBox : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        list_ = Make<TALComboBox>({9, 15, 150, 22});
        list_->addItems({QStringLiteral("All Files -- *.*"), QStringLiteral("Lossless")});
        list_->SetColor(kDesign);
        list_->SetFontColor(clRed);
        list_->OnPaint = [](QObject* s, bool& Continue) { PaintComboBoxSkin(s, Continue, true); };
    }

    // Every pixel of the frame and the drop-down button area, and the text's colour.
    void ExpectLook(TColor frame, TColor button, TColor arrow, TColor text) {
        const QImage img = Render(*list_);
        const int w = list_->width(), h = list_->height();
        EXPECT_TRUE(RingIs(img, QRect(0, 0, w, h), frame)) << "frame";
        const int left = w - 1 - list_->ButtonAreaWidth();
        auto isArrow = [&](int x, int y) {
            return (y == 10 && x >= w - 10 && x <= w - 6) ||
                   (y == 11 && x >= w - 9 && x <= w - 7) || (y == 12 && x == w - 8);
        };
        int wrong = 0;
        for (int y = 1; y < h - 1; ++y)
            for (int x = left; x < w - 1; ++x)
                wrong += At(img, x, y) != (x < left + 4    ? kDesign
                                           : x == left + 4 ? frame
                                           : isArrow(x, y) ? arrow
                                                           : button);
        EXPECT_EQ(wrong, 0) << "pixels of the drop-down button area";
        EXPECT_EQ(ColorsIn(img, QRect(1, 1, left - 1, h - 2)), (std::set<TColor>{kDesign, text}));
    }

    TALComboBox* list_ = nullptr;
};

TEST_F(ComboBox, NormalAndMouseOver) {
    EXPECT_EQ(list_->ButtonAreaWidth(),
              list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 3);
    ExpectLook(0xC6A69C, 0xE7D3CE, clBlack, clBlack);
    SendEnter(list_);
    ExpectLook(0x6B2408, 0xCEBAB5, clBlack, clBlack);
    SendLeave(list_);
    ExpectLook(0xC6A69C, 0xE7D3CE, clBlack, clBlack);
}

TEST_F(ComboBox, FocusAndTheOpenList) {
    list_->setFocus();
    ExpectLook(0x6B2408, 0xCEBAB5, clBlack, clBlack);
    list_->showPopup();
    ASSERT_TRUE(list_->DroppedDown());
    ExpectLook(0x6B2408, 0xB59284, clWhite, clBlack);
    list_->hidePopup();
    EXPECT_TRUE(list_->IsFocused()) << "opening the list keeps the focus within the control";
    ExpectLook(0x6B2408, 0xCEBAB5, clBlack, clBlack);
    Make<QLineEdit>()->setFocus();
    EXPECT_FALSE(list_->IsFocused());
    ExpectLook(0xC6A69C, 0xE7D3CE, clBlack, clBlack);
}

TEST_F(ComboBox, DisabledListIsGreyThroughout) {
    list_->setEnabled(false);
    ExpectLook(0xBAC7C9, 0xE1E9EA, 0xC3CAC8, 0x808080);
}

TEST_F(ComboBox, OnChangeFollowsTheUserButNotTheProgram) {
    int changes = 0;
    list_->OnChange = [&](QObject*) { ++changes; };
    list_->setCurrentIndex(1);
    EXPECT_EQ(changes, 0);
    list_->setFocus();
    QTest::keyClick(list_, Qt::Key_Up);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list_->currentIndex(), 0);
}

} // namespace
} // namespace platterwise
