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
        if (!options)
            options = std::make_unique<TForm2>(dialogs);
        return *options;
    }
    std::vector<bool> Ticks() {
        TForm2& o = Options();
        return {o.ALCheckBox1->Checked(), o.ALCheckBox2->Checked(), o.ALCheckBox3->Checked(),
                o.ALCheckBox4->Checked()};
    }
    std::unique_ptr<TForm2> options;
};

TEST_F(Form2Test, WithoutSettingsNothingIsTickedAndLargeIconsIsChosen) {
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Options().RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(Options().size(), QSize(340, 298));
    EXPECT_FALSE(Options().isVisible());
}

TEST_F(Form2Test, AMissingKeyTakesOverTheAnswerOfTheKeyBeforeIt) {
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=YES\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, true, true, true}));
    options.reset();
    PutSettings("[MAIN]\nREMEMBER_LAST_LOC=NO\nREMEMBER_TEMPLATE=YES\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, true, true}));
    options.reset();
    PutSettings("[MAIN]\nREMEMBER_TEMPLATE=YES\nREMEMBER_DEVIATION=no\nSHELL=7\n");
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false, false}));
    EXPECT_EQ(Options().RadioGroup1->ItemIndex(), 0);
}

TEST_F(Form2Test, SaveHidesTheWindowAndWritesTheFiveKeysInOrder) {
    PutSettings("[MAIN]\nSHELL=1\n");
    TForm2& o = Options();
    EXPECT_EQ(o.RadioGroup1->ItemIndex(), 1);
    o.show();
    o.ALCheckBox2->Click();
    o.RadioGroup1->SetItemIndex(3);
    o.ALButton1->Click();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(SettingsContent(), "[MAIN]\nSHELL=3\nREMEMBER_LAST_LOC=NO\nREMEMBER_TEMPLATE=YES\n"
                                 "REMEMBER_DEVIATION=NO\nREMEMBER_RANDOM=NO\n");
}

TEST_F(Form2Test, TheCloseBoxHidesWithoutSavingAndKeepsTheChanges) {
    TForm2& o = Options();
    o.show();
    o.ALCheckBox4->Click();
    o.close();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(SettingsContent(), "<missing>");
    o.show();
    EXPECT_TRUE(o.ALCheckBox4->Checked());
}

TEST_F(Form2Test, ActivationFocusesTheViewStyleGroup) {
    TForm2& o = Options();
    o.show();
    o.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return o.RadioGroup1->Button(0)->hasFocus(); }));
}

TEST_F(Form2Test, TheMainWindowShowsItModeless) {
    TForm1& f = Form();
    f.SetOptionsWindow(&Options());
    f.ALButton5Click();
    EXPECT_TRUE(Options().isVisible());
    EXPECT_FALSE(Options().isModal());
}

} // namespace
} // namespace platterwise::testing
