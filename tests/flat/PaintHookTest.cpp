// SPDX-License-Identifier: GPL-3.0-or-later
// The paint hook of every flat control: a hook that changes the look gets a second pass at
// once, the control then settles, and a hook that never lets go cannot hang the paint.
#include "FlatTestSupport.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALComboBox.h"
#include "widgets/flat/ALEdit.h"
#include "widgets/flat/ALSkins.h"

namespace platterwise {
namespace {

using namespace platterwise::testing;

template <class Control, void (*Skin)(QObject*, bool&, bool)>
struct Flat {
    using Type = Control;
    static constexpr auto skin = Skin;
};

using FlatControls =
    ::testing::Types<Flat<TALButton, PaintButtonSkin>, Flat<TALCheckBox, PaintCheckBoxSkin>,
                     Flat<TALComboBox, PaintComboBoxSkin>, Flat<TALEdit, PaintEditSkin>>;

template <class F>
class PaintHook : public HostTest {
protected:
    typename F::Type* MakeCounted() {
        auto* c = this->template Make<typename F::Type>();
        c->OnPaint = [this](QObject* sender, bool& Continue) {
            EXPECT_TRUE(Continue) << "Continue is true on entry";
            ++passes_;
            F::skin(sender, Continue, true);
        };
        return c;
    }
    int passes_ = 0;
};

TYPED_TEST_SUITE(PaintHook, FlatControls);

TYPED_TEST(PaintHook, AChangedFontColourGetsOneMorePassAndThenSettles) {
    auto* c = this->MakeCounted();
    c->SetFontColor(clRed); // every skin turns an enabled control's text black
    Render(*c);
    EXPECT_EQ(this->passes_, 2);
    EXPECT_EQ(c->FontColor(), clBlack);
    this->passes_ = 0;
    Render(*c);
    EXPECT_EQ(this->passes_, 1);
}

TYPED_TEST(PaintHook, TheWindowPaintsTheChangeOnceWithoutQueueingAnother) {
    auto* c = this->MakeCounted();
    QCoreApplication::processEvents();
    this->passes_ = 0;
    c->SetFontColor(clRed);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(this->passes_, 2);
}

TYPED_TEST(PaintHook, AHookThatNeverLetsGoStillEndsThePaint) {
    auto* c = this->template Make<typename TypeParam::Type>();
    int calls = 0;
    c->OnPaint = [&calls](QObject*, bool& Continue) {
        ++calls;
        Continue = false;
    };
    c->SetColor(0x00FF00);
    EXPECT_EQ(At(Render(*c), c->width() / 2, c->height() - 2), 0x00FF00u);
    EXPECT_GT(calls, 1);
    EXPECT_LT(calls, 100);
}

TYPED_TEST(PaintHook, SkinsChangeTheFontColourOnlyWhenAskedAndOnlyForTheirOwnClass) {
    auto* c = this->template Make<typename TypeParam::Type>();
    c->SetFontColor(clRed);
    bool Continue = true;
    for (auto* other : {PaintButtonSkin, PaintCheckBoxSkin, PaintComboBoxSkin, PaintEditSkin})
        if (other != TypeParam::skin)
            other(c, Continue, true);
    EXPECT_EQ(c->BorderColor(), clBlack) << "untouched by the other skins";
    TypeParam::skin(nullptr, Continue, true);
    EXPECT_TRUE(Continue);
    TypeParam::skin(c, Continue, false);
    EXPECT_EQ(c->FontColor(), clRed);
    EXPECT_NE(c->BorderColor(), clBlack);
}

TEST(Skins, OnlyTheFontColourOrAButtonFaceAsksForAnotherPass) {
    TALCheckBox box;
    box.SetFontColor(clBlack);
    box.SetBlankColor(0x123456);
    box.SetBorderColor(0x123456);
    bool Continue = true;
    PaintCheckBoxSkin(&box, Continue, true);
    EXPECT_TRUE(Continue);
    EXPECT_EQ(box.BlankColor(), clWhite);

    TALButton button;
    button.SetFontColor(clBlack);
    button.SetColor(0xE7D3CE);
    button.SetBorderColor(0x123456);
    PaintButtonSkin(&button, Continue, true);
    EXPECT_TRUE(Continue);
    EXPECT_EQ(button.BorderColor(), 0xC6A69Cu);
    button.SetColor(0x123456);
    PaintButtonSkin(&button, Continue, true);
    EXPECT_FALSE(Continue);
}

} // namespace
} // namespace platterwise
