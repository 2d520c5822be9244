// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "app/RadioGroup.h"
#include "app/Unit2.h"
#include "widgets/flat/ALButton.h"

#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace platterwise::testing {
namespace {

class Form2Test : public AppFixture {
protected:
    TForm2& Options() {
        if (!options_)
            options_ = std::make_unique<TForm2>(dialogs_);
        return *options_;
    }
    template <typename T>
    T& Option(const char* name) {
        return Find<T>(Options(), name);
    }
    std::vector<bool> Ticks() {
        std::vector<bool> ticks;
        for (const char* name : {"ALCheckBox1", "ALCheckBox2", "ALCheckBox3", "ALCheckBox4"}) {
            ticks.push_back(Option<TALCheckBox>(name).Checked());
        }
        return ticks;
    }
    TRadioGroup& ViewStyle() { return Option<TRadioGroup>("RadioGroup1"); }
    std::unique_ptr<TForm2> options_;
};

TEST_F(Form2Test, WithoutSettingsNothingIsTickedAndLargeIconsIsChosen) {
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(ViewStyle().ItemIndex(), 0);
    EXPECT_EQ(Options().size(), QSize(340, 298));
    EXPECT_FALSE(Options().isVisible());
}

TEST_F(Form2Test, AMissingKeyTakesOverTheAnswerOfTheKeyBeforeIt) {
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true, true}));
    options_.reset();
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=NO\nREMEMBER_TEMPLATE=YES\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, true, true}));
    options_.reset();
    PutSettings("[MAIN]\nREMEMBER_TEMPLATE=YES\nREMEMBER_DEVIATION=no\nSHELL=7\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(ViewStyle().ItemIndex(), 0);
}

TEST_F(Form2Test, SaveHidesTheWindowAndWritesTheFiveKeysInOrder) {
    PutSettings("[MAIN]\nSHELL=1\n");
    TForm2& o = Options();
    EXPECT_EQ(ViewStyle().ItemIndex(), 1);
    o.show();
    Click(Option<TALCheckBox>("ALCheckBox2"));
    Choose(ViewStyle(), 3);
    Click(Option<TALButton>("ALButton1"));
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(SettingsContent(), "[MAIN]\nSHELL=3\nREMEMBER_LAST_LOC=NO\nREMEMBER_TEMPLATE=YES\n"
                                 "REMEMBER_DEVIATION=NO\nREMEMBER_RANDOM=NO\n");
}

TEST_F(Form2Test, TheCloseBoxHidesWithoutSavingAndKeepsTheChanges) {
    TForm2& o = Options();
    o.show();
    Click(Option<TALCheckBox>("ALCheckBox4"));
    o.close();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(SettingsContent(), "<missing>");
    o.show();
    EXPECT_TRUE(Option<TALCheckBox>("ALCheckBox4").Checked());
}

TEST_F(Form2Test, ActivationFocusesTheViewStyleGroup) {
    TForm2& o = Options();
    o.show();
    o.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ViewStyle().Button(0)->hasFocus(); }));
}

TEST_F(Form2Test, TheMainWindowShowsItModeless) {
    Form().SetOptionsWindow(&Options());
    Press("ALButton5");
    EXPECT_TRUE(Options().isVisible());
    EXPECT_FALSE(Options().isModal());
}

} // namespace
} // namespace platterwise::testing
