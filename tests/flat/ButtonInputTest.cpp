// SPDX-License-Identifier: GPL-3.0-or-later
// How flat buttons and check boxes answer the keyboard and the mouse: Space, access keys,
// Enter and Esc, the check-state cycle, group buttons and modal results.
#include "FlatTestSupport.h"
#include "widgets/flat/ALButton.h"

#include <QLineEdit>
#include <QPainter>
#include <vector>

namespace platterwise {
namespace {

using namespace platterwise::testing;

class ButtonInput : public HostTest {
protected:
    template <class T = TALButton>
    T* MakeButton(const QString& caption, QWidget* parent = nullptr) {
        auto* b = Make<T>();
        if (parent != nullptr) {
            b->setParent(parent);
            b->show();
        }
        b->SetCaption(caption);
        b->OnClick = [this](QObject* sender) {
            clicks_.push_back(static_cast<TALCustomButton*>(sender)->State());
        };
        return b;
    }
    QLineEdit* FocusedEdit() {
        auto* edit = Make<QLineEdit>({200, 200, 100, 20});
        edit->setFocus();
        return edit;
    }

    std::vector<TCheckBoxState> clicks_; // the state each OnClick saw
};

TEST_F(ButtonInput, SpaceClicksOnReleaseButNotWithAModifierOrARepeat) {
    TALButton* b = MakeButton(QStringLiteral("Go"));
    b->setFocus();
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_TRUE(b->IsKeyDown());
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(b, &repeat);
    EXPECT_TRUE(clicks_.empty());
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_FALSE(b->IsKeyDown());
    EXPECT_EQ(clicks_.size(), 1u);
    QTest::keyClick(b, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(ButtonInput, MouseClicksOnlyWhenReleasedOverTheButton) {
    TALButton* b = MakeButton(QStringLiteral("Go"));
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicks_.size(), 1u);
    QTest::mousePress(b, Qt::LeftButton);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(b->width() + 5, 5));
    QTest::mouseClick(b, Qt::RightButton);
    EXPECT_EQ(clicks_.size(), 1u);
    EXPECT_FALSE(b->IsMouseDown());
}

TEST_F(ButtonInput, AltAndTheAccessKeyClicksFromAnywhereInTheWindow) {
    TALButton* b = MakeButton(QStringLiteral("&Go!"));
    b->SetCaption(QStringLiteral(" E&xit"));
    QLineEdit* edit = FocusedEdit();
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(clicks_.empty()) << "the old caption's key is gone";
    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks_.size(), 1u);
    EXPECT_TRUE(b->hasFocus()) << "a click gives the button the focus";
    b->setEnabled(false);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks_.size(), 1u) << "a disabled button takes no access key";
}

TEST_F(ButtonInput, DoubledAmpersandShowsOneAmpersandAndMarksNoKey) {
    auto make = [&](const QString& caption) {
        TALButton* b = MakeButton(caption);
        b->setGeometry(0, 0, 150, 25);
        b->SetFontColor(clBlack);
        b->SetColor(clWhite);
        b->SetBorderColor(clNone);
        return b;
    };
    TALButton* doubled = make(QStringLiteral("Save && Exit"));
    TALButton* marked = make(QStringLiteral("&Save && Exit"));
    QImage reference(150, 25, QImage::Format_RGB32);
    reference.fill(Qt::white);
    {
        QPainter p(&reference);
        p.setFont(CrispFont());
        p.drawText(QPoint(10, 18), QStringLiteral("Save & Exit"));
    }
    const QSize one = BoundsOf(reference, reference.rect(), clBlack).size();
    auto ink = [](TALButton* b) { return BoundsOf(Render(*b), b->rect(), clBlack).size(); };
    EXPECT_EQ(ink(doubled), one) << "one \"&\", nothing underlined";
    EXPECT_GT(ink(marked).height(), one.height()) << "the marked S is underlined";

    QLineEdit* edit = FocusedEdit();
    for (const auto key : {Qt::Key_E, Qt::Key_Ampersand, Qt::Key_S})
        QTest::keyClick(edit, key, Qt::AltModifier);
    EXPECT_EQ(clicks_.size(), 1u) << "only the marked caption has a key";
    EXPECT_TRUE(marked->hasFocus());
}

TEST_F(ButtonInput, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    TALButton* ok = MakeButton(QStringLiteral("OK"));
    TALButton* cancel = MakeButton(QStringLiteral("Cancel"));
    std::vector<QObject*> who;
    ok->OnClick = cancel->OnClick = [&](QObject* sender) { who.push_back(sender); };
    QLineEdit* edit = FocusedEdit();
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(who.empty());

    ok->SetDefault(true);
    cancel->SetCancel(true);
    QTest::keyClick(edit, Qt::Key_Return);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    ok->SetDefault(false);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(who, (std::vector<QObject*>{ok, ok, cancel}));
}

TEST_F(ButtonInput, CheckBoxCyclesThroughGreyOnlyWithAllowGrayed) {
    auto* c = MakeButton<TALCheckBox>(QStringLiteral("Auto size"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(c, Qt::LeftButton);
    EXPECT_EQ(clicks_, (std::vector{cbChecked, cbUnchecked, cbChecked}));
    clicks_.clear();
    c->SetChecked(false);
    c->SetAllowGrayed(true);
    c->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(c, Qt::Key_Space);
    EXPECT_EQ(clicks_, (std::vector{cbGrayed, cbChecked, cbUnchecked, cbGrayed}));
}

TEST_F(ButtonInput, GroupButtonsToggleAndUncheckTheirSiblings) {
    TALButton* a = MakeButton(QStringLiteral("A"));
    TALButton* b = MakeButton(QStringLiteral("B"));
    TALButton* otherGroup = MakeButton(QStringLiteral("C"));
    QWidget elsewhere(host_.get());
    TALButton* otherParent = MakeButton(QStringLiteral("D"), &elsewhere);
    TALButton* ungrouped = MakeButton(QStringLiteral("E"));
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    otherGroup->SetGroupIndex(2);
    otherParent->SetGroupIndex(1);
    for (TALButton* checked : {otherGroup, otherParent, ungrouped})
        checked->SetState(cbChecked);

    a->Click();
    b->Click();
    EXPECT_EQ(a->State(), cbUnchecked);
    b->Click();
    a->SetState(cbGrayed); // grey counts as unchecked
    a->Click();
    ungrouped->Click();
    EXPECT_EQ(clicks_, (std::vector{cbChecked, cbChecked, cbUnchecked, cbChecked, cbUnchecked}));
    EXPECT_EQ(otherGroup->State(), cbChecked);
    EXPECT_EQ(otherParent->State(), cbChecked);
}

} // namespace
} // namespace platterwise
