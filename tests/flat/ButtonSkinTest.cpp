// SPDX-License-Identifier: GPL-3.0-or-later
// A skinned button's frame, face and caption colours in each state, read from its pixels,
// and what the flat drawing routine leaves out or adds.
#include "FlatTestSupport.h"
#include "widgets/flat/ALButton.h"
#include "widgets/flat/ALSkins.h"

#include <QFontMetrics>
#include <functional>

namespace platterwise {
namespace {

using namespace platterwise::testing;

struct ButtonCase {
    const char* name;
    std::function<void(TALButton&)> arrange;
    TColor frame, face, text;
    int frameLines = 1; // two while focused
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << c.name;
}

class ButtonSkin : public HostTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonSkin, PaintsTheTableColoursForTheState) {
    auto* b = Make<TALButton>();
    b->SetCaption(QStringLiteral("&Calculate"));
    b->SetColor(0xE1E9EA);
    b->SetFontColor(clRed); // the skin overrides whatever the program set
    b->OnPaint = [](QObject* s, bool& c) { PaintButtonSkin(s, c, true); };
    GetParam().arrange(*b);

    const QImage img = Render(*b);
    const ButtonCase& want = GetParam();
    QRect ring = img.rect();
    for (int i = 0; i < want.frameLines; ++i, ring.adjust(1, 1, -1, -1))
        EXPECT_TRUE(RingIs(img, ring, want.frame)) << "frame line " << i;
    EXPECT_EQ(ColorsIn(img, ring), (std::set<TColor>{want.face, want.text}));
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
void PressAndLeave(TALButton& b) {
    QTest::mousePress(&b, Qt::LeftButton);
    SendEnter(&b);
    SendLeave(&b); // drops the press; the focus the press gave stays
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonSkin,
    ::testing::Values(ButtonCase{"Normal", [](TALButton&) {}, 0xC6A69C, 0xE7D3CE, clBlack},
                      ButtonCase{"MouseOver", Hover, 0x6B2408, 0xCEBAB5, clBlack},
                      ButtonCase{"Focused", Focus, 0x6B2408, 0xCEBAB5, clBlack, 2},
                      ButtonCase{"MouseDown", PressMouse, 0x6B2408, 0xB59284, clBlack, 2},
                      ButtonCase{"SpaceHeld", HoldSpace, 0x6B2408, 0xB59284, clBlack, 2},
                      ButtonCase{"PressedThenLeft", PressAndLeave, 0x6B2408, 0xCEBAB5, clBlack, 2},
                      ButtonCase{"Checked", Check, 0x6B2408, 0xB59284, clBlack},
                      ButtonCase{"GreyKeepsItsColours", Grey, 0x654321, 0x123456, clBlack},
                      ButtonCase{"DisabledWinsOverChecked", DisableChecked, 0xBAC7C9, 0xE1E9EA,
                                 0x808080}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostTest, ACaptionCrossingTheFrameIsLeftOutUnlessAutoSized) {
    auto* b = Make<TALButton>();
    b->SetCaption(QStringLiteral("Calculate"));
    b->SetColor(0x00FF00);
    b->SetBorderColor(0x0000FF);
    b->SetFontColor(clBlack);
    for (const QSize size : {QSize(30, 25), QSize(75, 12)}) {
        b->resize(size);
        EXPECT_EQ(ColorsIn(Render(*b), b->rect()), (std::set<TColor>{0x00FF00, 0x0000FF}));
    }
    b->SetAutoSize(true);
    EXPECT_TRUE(ColorsIn(Render(*b), b->rect()).count(clBlack));
}

TEST_F(HostTest, AutoSizeCountsCaptionGlyphSpacingAndTheFrameAllowance) {
    auto* b = Make<TALButton>();
    b->SetCaption(QStringLiteral(" &Go! "));
    b->SetAutoSize(true);
    const QFontMetrics fm(CrispFont());
    const QSize text(fm.horizontalAdvance(QStringLiteral(" Go! ")), fm.height());
    EXPECT_EQ(b->size(), text + QSize(4, 4)) << "two frame lines are allowed for";
    b->SetFocusStyle(ALFSNone);
    EXPECT_EQ(b->size(), text + QSize(2, 2));
    b->SetBorderColor(clNone);
    EXPECT_EQ(b->size(), text);

    QPixmap glyph(16, 16);
    glyph.fill(Qt::red);
    b->SetGlyph({glyph});
    EXPECT_EQ(b->size(), text) << "GlyphIndex -1 shows no glyph";
    b->SetGlyphIndex(0);
    EXPECT_EQ(b->size(), QSize(16 + 4 + text.width(), 16));
    EXPECT_EQ(BoundsOf(Render(*b), b->rect(), clRed), QRect(0, 0, 16, 16));
    b->SetLayout(blGlyphBottom);
    EXPECT_EQ(b->size(), QSize(text.width(), text.height() + 4 + 16));
    EXPECT_EQ(BoundsOf(Render(*b), b->rect(), clRed),
              QRect((text.width() - 16) / 2, text.height() + 4, 16, 16));
}

} // namespace
} // namespace platterwise
