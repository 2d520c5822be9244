// A skinned button's frame, face and caption colours in each state, read from its pixels.
#include "FlatTestSupport.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALSkins.h"

#include <functional>

namespace platterwise {
namespace {

using namespace platterwise::testing;

struct ButtonCase {
    const char* name;
    std::function<void(TALButton&)> arrange;
    TColor frame, face, text;
    int frameLines = 1;
};

class ButtonSkin : public HostTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonSkin, PaintsTheTableColoursForTheState) {
    TALButton button(host.get());
    button.setGeometry(10, 10, 120, 25);
    button.setFont(CrispFont());
    button.SetCaption(QStringLiteral("Calculate"));
    button.SetColor(0xE1E9EA);
    button.SetFontColor(clRed); // the skin overrides whatever the program set
    button.OnPaint = [](QObject* s, bool& c) { PaintButtonSkin(s, c, true); };
    button.show();
    GetParam().arrange(button);

    const QImage img = Render(button);
    if (button.IsMouseDown()) // later tests must not start with the button held
        QTest::mouseRelease(&button, Qt::LeftButton);
    const ButtonCase& want = GetParam();
    EXPECT_EQ(button.BorderColor(), want.frame);
    EXPECT_EQ(button.Color(), want.face);
    EXPECT_EQ(button.FontColor(), want.text);
    QRect ring = img.rect();
    for (int i = 0; i < want.frameLines; ++i, ring.adjust(1, 1, -1, -1))
        EXPECT_TRUE(RingIs(img, ring, want.frame)) << "frame line " << i;
    EXPECT_EQ(ColorsIn(img, ring), (std::set<TColor>{want.face, want.text}));
}

void Disable(TALButton& b) {
    b.setEnabled(false);
}
void Hover(TALButton& b) {
    SendEnter(&b);
}
void Focus(TALButton& b) {
    b.setFocus();
}
void PressMouse(TALButton& b) {
    QTest::mousePress(&b, Qt::LeftButton);
}
void HoldSpace(TALButton& b) {
    b.setFocus();
    QTest::keyPress(&b, Qt::Key_Space);
}
void Check(TALButton& b) {
    b.SetState(cbChecked);
}
void Grey(TALButton& b) {
    b.SetColor(0x123456);
    b.SetBorderColor(0x654321);
    b.SetState(cbGrayed);
}
void DisableChecked(TALButton& b) {
    b.SetState(cbChecked);
    b.setEnabled(false);
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonSkin,
    ::testing::Values(
        ButtonCase{"Normal", [](TALButton&) {}, 0xC6A69C, 0xE7D3CE, clBlack},
        ButtonCase{"MouseOver", Hover, 0x6B2408, 0xCEBAB5, clBlack},
        ButtonCase{"FocusedDrawsTwoFrameLines", Focus, 0x6B2408, 0xCEBAB5, clBlack, 2},
        ButtonCase{"MouseDown", PressMouse, 0x6B2408, 0xB59284, clBlack, 2},
        ButtonCase{"SpaceHeld", HoldSpace, 0x6B2408, 0xB59284, clBlack, 2},
        ButtonCase{"Checked", Check, 0x6B2408, 0xB59284, clBlack},
        ButtonCase{"GreyKeepsItsColours", Grey, 0x654321, 0x123456, clBlack},
        ButtonCase{"Disabled", Disable, 0xBAC7C9, 0xE1E9EA, 0x808080},
        ButtonCase{"DisabledWinsOverChecked", DisableChecked, 0xBAC7C9, 0xE1E9EA, 0x808080}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostTest, ButtonSkinLeavesTheFontColourAloneWithoutFontColourControl) {
    TALButton button(host.get());
    button.setFont(CrispFont());
    button.SetCaption(QStringLiteral("Go"));
    button.SetFontColor(clRed);
    button.OnPaint = [](QObject* s, bool& c) { PaintButtonSkin(s, c, false); };
    button.show();
    const QImage img = Render(button);
    EXPECT_EQ(ColorsIn(img, img.rect().adjusted(1, 1, -1, -1)),
              (std::set<TColor>{0xE7D3CE, clRed}));
}

TEST_F(HostTest, LeavingTheButtonDropsThePress) {
    TALButton button(host.get());
    button.OnPaint = [](QObject* s, bool& c) { PaintButtonSkin(s, c, true); };
    button.show();
    SendEnter(&button);
    QTest::mousePress(&button, Qt::LeftButton);
    EXPECT_EQ(At(Render(button), 5, 5), 0xB59284u);
    SendLeave(&button);
    QTest::mouseRelease(&button, Qt::LeftButton);
    EXPECT_FALSE(button.IsMouseDown());
    EXPECT_FALSE(button.IsHot());
    EXPECT_EQ(At(Render(button), 5, 5), 0xCEBAB5u); // still focused by the press
    button.clearFocus();
    EXPECT_EQ(At(Render(button), 5, 5), 0xE7D3CEu);
}

TEST_F(HostTest, ButtonWithoutBorderHasNoFrame) {
    TALButton button(host.get());
    button.SetCaption(QString());
    button.SetColor(0x112233);
    button.SetBorderColor(clNone);
    button.show();
    EXPECT_EQ(ColorsIn(Render(button), QRect(0, 0, 75, 25)), std::set<TColor>{0x112233});
}

} // namespace
} // namespace platterwise
